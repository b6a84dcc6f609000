// The borderless form: anchors, minimum size, maximising, painting, its steps, modality and the
// taskbar button.
#include <gtest/gtest.h>

#include "shell/ShellTexts.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/framework/GraphicControls.h"
#include "shell/framework/Monitors.h"
#include "shell/framework/Timer.h"
#include "shell/framework/WinControl.h"
#include "win32/Surface.h"
#include "win32/UiTestSupport.h"

namespace {

RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST(Form, IsABorderlessPopupOwnedByTheApplicationWindow) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  const LONG_PTR style = GetWindowLongPtrW(form.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), app.Handle());
  form.SetClientWidth(566);
  form.SetClientHeight(417);
  EXPECT_EQ(form.Width(), 566);
  EXPECT_EQ(form.Height(), 417);
  form.SetCaption(shell_texts::kMainCaption);
  EXPECT_EQ(form.Caption(), shell_texts::kMainCaption);
}

// Refuses every window that this thread creates while it lives.
class RefusedWindows {
 public:
  RefusedWindows() : hook_(SetWindowsHookExW(WH_CBT, &Refuse, nullptr, GetCurrentThreadId())) {}
  ~RefusedWindows() { UnhookWindowsHookEx(hook_); }

 private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wparam, LPARAM lparam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wparam, lparam);
  }
  HHOOK hook_;
};

TEST(Form, AFormOrControlWhoseWindowIsRefusedRaises) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  const std::function<void()> creations[] = {
      [] { TForm refused; },
      [&] { TWinControl refused(&form, L"EDIT", 0); },
  };
  for (const auto& create : creations) {
    RefusedWindows refused;
    try {
      create();
      ADD_FAILURE() << "created without a window";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), shell_texts::kCannotCreateWindow);
    }
  }
  // The form goes on working with controls that have their windows.
  TWinControl edit(&form, L"EDIT", 0);
  edit.SetText("after");
  EXPECT_EQ(edit.Text(), "after");
}

TEST(Form, ControlsFollowTheirAnchors) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.SetBounds(100, 100, 566, 417);
  TImage title(&form);
  title.SetBounds(281, 0, 4, 99);
  title.SetAnchors(akLeft | akTop | akRight);
  TShape grip(&form);
  grip.SetBounds(546, 397, 15, 15);
  grip.SetAnchors(akRight | akBottom);
  TWinControl list(&form, L"EDIT", ES_MULTILINE);
  list.SetBounds(5, 99, 556, 261);
  list.SetAnchors(akLeft | akTop | akRight | akBottom);

  form.SetBounds(100, 100, 700, 500);
  EXPECT_EQ(title.Width(), 138);
  EXPECT_EQ(grip.Left(), 680);
  EXPECT_EQ(grip.Top(), 480);
  EXPECT_EQ(list.Width(), 690);
  EXPECT_EQ(list.Height(), 344);
  const RECT native = ChildRect(list.Handle());
  EXPECT_EQ(native.right - native.left, 690);
  EXPECT_EQ(native.bottom - native.top, 344);

  form.SetBounds(100, 100, 566, 417);
  EXPECT_EQ(grip.Left(), 546);
  EXPECT_EQ(list.Width(), 556);
}

TEST(Form, MinimumSizeHoldsForTheUserAndForTheProgram) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.SetMinSize(566, 250);
  form.SetBounds(10, 20, 300, 100);
  EXPECT_EQ(form.Width(), 566);
  EXPECT_EQ(form.Height(), 250);
  EXPECT_EQ(form.Left(), 10);
  MINMAXINFO info{};
  SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 566);
  EXPECT_EQ(info.ptMinTrackSize.y, 250);
  form.SetBounds(10, 20, 800, 600);
  EXPECT_EQ(form.Width(), 800);
}

class StepsForm : public TForm {
 public:
  explicit StepsForm(std::vector<std::string>* steps) : steps_(steps) {
    OnCreate = [this](TObject*) { steps_->push_back("create"); };
    OnShow = [this](TObject*) { steps_->push_back(IsWindowVisible(Handle()) ? "show" : "hidden"); };
    OnDestroy = [this](TObject*) { steps_->push_back("destroy"); };
  }
  ~StepsForm() override { steps_->push_back("destructor"); }

 private:
  std::vector<std::string>* steps_;
};

TEST(Form, StepsRunInOrderAndTheTaskbarButtonFollowsVisibility) {
  std::vector<std::string> steps;
  {
    TApplication app;
    StepsForm* first = app.CreateForm<StepsForm>(&steps);
    app.CreateForm<StepsForm>(&steps);
    EXPECT_EQ(app.MainForm(), first);
    EXPECT_FALSE(IsWindowVisible(app.Handle()));
    first->Show();
    EXPECT_TRUE(IsWindowVisible(app.Handle()));
    first->Hide();
    EXPECT_FALSE(IsWindowVisible(app.Handle()));
  }
  EXPECT_EQ(steps, (std::vector<std::string>{"create", "create", "show", "destroy", "destructor",
                                             "destroy", "destructor"}));
}

TEST(Form, ShowModalDisablesTheOthersUntilClosed) {
  TApplication app;
  TForm& main = *app.CreateForm<TForm>();
  TForm& about = *app.CreateForm<TForm>();
  main.Show();
  bool main_enabled = true, about_visible = false;
  TTimer closer;
  closer.SetInterval(20);
  closer.OnTimer = [&](TObject*) {
    main_enabled = IsWindowEnabled(main.Handle());
    about_visible = IsWindowVisible(about.Handle());
    about.Close();
  };
  EXPECT_EQ(about.ShowModal(), mrCancel);
  closer.SetEnabled(false);
  EXPECT_FALSE(main_enabled);
  EXPECT_TRUE(about_visible);
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_FALSE(IsWindowVisible(about.Handle()));
  EXPECT_FALSE(app.Terminated());
}

TEST(Form, ClosingTheMainFormEndsTheLoopAfterTheCurrentMessage) {
  TApplication app;
  TForm& main = *app.CreateForm<TForm>();
  bool rest_of_handler_ran = false;
  TTimer timer;
  timer.SetInterval(20);
  timer.OnTimer = [&](TObject*) {
    main.Close();
    rest_of_handler_ran = true;
  };
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_TRUE(rest_of_handler_ran);
}

TEST(Form, MinimisingTheApplicationTakesTheFormsAlong) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.Show();
  SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(app.Handle()));
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_TRUE(form.Visible());
  app.Restore();
  EXPECT_FALSE(IsIconic(app.Handle()));
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST(Form, MaximisesToTheWorkAreaOfItsMonitorAndRestoresItsPlace) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.SetBounds(50, 60, 400, 300);
  form.Show();
  // What the system would maximise to without being told: the whole monitor, taskbar included
  // (here the work area and the monitor are the same).
  MINMAXINFO info{};
  info.ptMaxPosition = {-1, -1};
  info.ptMaxSize = {1, 1};
  SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  const MonitorArea monitor = MonitorOf(form.Handle());
  EXPECT_EQ(info.ptMaxPosition.x, monitor.work.left - monitor.monitor.left);
  EXPECT_EQ(info.ptMaxPosition.y, monitor.work.top - monitor.monitor.top);
  EXPECT_EQ(info.ptMaxSize.x, monitor.work.right - monitor.work.left);
  EXPECT_EQ(info.ptMaxSize.y, monitor.work.bottom - monitor.work.top);

  form.SetWindowState(TWindowState::wsMaximized);
  EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
  RECT maximised{};
  GetWindowRect(form.Handle(), &maximised);
  EXPECT_TRUE(EqualRect(&maximised, &monitor.work));
  form.SetWindowState(TWindowState::wsNormal);
  EXPECT_EQ(form.WindowState(), TWindowState::wsNormal);
  EXPECT_EQ(form.Width(), 400);
  EXPECT_EQ(form.Left(), 50);
}

TEST(Form, PaintsAnyPartOfItselfOffScreenAndErasesNothing) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.SetColor(RGB(10, 20, 30));
  form.SetBounds(0, 0, 100, 60);
  TShape shape(&form);
  shape.SetBounds(10, 10, 20, 20);
  shape.SetPen(false, clBlack);
  shape.SetBrush(true, RGB(200, 0, 0));
  Surface surface(100, 60, RGB(0, 255, 0));
  EXPECT_EQ(SendMessageW(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.dc()), 0),
            1);
  EXPECT_EQ(surface.Count(RGB(0, 255, 0)), 100 * 60);
  // A part that cuts the shape: painted where it belongs, nothing outside the part.
  form.PaintArea(surface.dc(), {20, 15, 60, 40});
  EXPECT_EQ(surface.Count(RGB(200, 0, 0)), 10 * 15);
  EXPECT_EQ(surface.Pixel(25, 20), RGB(200, 0, 0));
  EXPECT_EQ(surface.Pixel(35, 20), RGB(10, 20, 30));
  EXPECT_EQ(surface.Count(RGB(0, 255, 0)), 100 * 60 - 40 * 25);
}

TEST(Form, NativeChildKeyEventsCanRefuseAndReplace) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  TWinControl edit(&form, L"EDIT", ES_AUTOHSCROLL);
  edit.SetBounds(5, 5, 100, 21);
  edit.OnKeyPress = [](TObject*, char& Key) {
    if (Key == 'x') Key = 0;
    if (Key == 'a') Key = '\xE0';  // Cyrillic a
  };
  for (wchar_t typed : {L'x', L'a', L'b'}) SendMessageW(edit.Handle(), WM_CHAR, typed, 0);
  EXPECT_EQ(edit.Text(),
            "\xE0"
            "b");
  WORD seen = 0;
  edit.OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { seen = Key; };
  SendMessageW(edit.Handle(), WM_KEYDOWN, VK_F1, 0);
  EXPECT_EQ(seen, VK_F1);
}

class ChangeWatchingEdit : public TWinControl {
 public:
  explicit ChangeWatchingEdit(TComponent* owner) : TWinControl(owner, L"EDIT", ES_AUTOHSCROLL) {}
  int changes = 0;
  bool ParentMessage(UINT message, WPARAM wparam, LPARAM, LRESULT& result) override {
    if (message != WM_COMMAND || HIWORD(wparam) != EN_CHANGE) return false;
    ++changes;
    result = 0;
    return true;
  }
};

TEST(Form, NativeChildHearsWhatItsFormIsToldAboutIt) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  ChangeWatchingEdit edit(&form);
  edit.SetBounds(5, 5, 100, 21);
  edit.SetText("localhost");
  EXPECT_EQ(edit.changes, 1);
  EXPECT_EQ(edit.Text(), "localhost");
}

}  // namespace
