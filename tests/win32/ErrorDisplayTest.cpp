// The error display under Wine: the real box, its text, caption, button and icon, and every
// catch point with its sender.
#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "core/ErrorRoute.h"
#include "platform/win32/UtilityWindow.h"
#include "shell/BevLab.h"
#include "shell/ShellTexts.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/framework/Timer.h"
#include "shell/framework/WinControl.h"
#include "win32/UiTestSupport.h"

namespace {

class ErrorDisplayTest : public ::testing::Test {
 protected:
  ErrorDisplayTest() { app.SetTitle(shell_texts::kApplicationTitle); }

  // Runs trigger twice: once the box must show message, once ExceptionHook must get sender.
  void ExpectCaught(const std::function<void()>& trigger, TObject* sender,
                    const std::string& message) {
    const size_t boxes = watcher.seen.size();
    trigger();
    ASSERT_TRUE(PumpUntil([&] { return watcher.seen.size() > boxes; }));
    EXPECT_EQ(watcher.seen.back().text, message + ".");
    EXPECT_EQ(watcher.seen.back().caption, shell_texts::kApplicationTitle);

    std::vector<TObject*> senders;
    app.ExceptionHook = [&](TObject* Sender, const Exception& E) {
      EXPECT_EQ(E.Message(), message);
      senders.push_back(Sender);
    };
    trigger();
    ASSERT_TRUE(PumpUntil([&] { return !senders.empty(); }));
    EXPECT_EQ(senders.front(), sender);
    app.ExceptionHook = nullptr;
    EXPECT_EQ(watcher.seen.size(), boxes + 1);
  }

  TApplication app;
  ErrorBoxWatcher watcher;
};

template <typename Error>
void Raise(TApplication& app, Error error, TObject* sender = nullptr) {
  try {
    throw error;
  } catch (...) {
    app.ReportException(sender);
  }
}

TEST_F(ErrorDisplayTest, PeriodRuleAsTheBoxShowsIt) {
  const struct {
    const char* message;
    const char* shown;
  } rows[] = {
      {"Done.", "Done."},
      {"on API 'connect'", "on API 'connect'"},
      {"error (10061)", "error (10061)"},
      {"Stop!", "Stop!"},
      {"one,", "one,"},
      {"blank ", "blank "},
      {"No address specified", "No address specified."},
      {"Нет соединения", "Нет соединения."},
      {"Asynchronous socket error 10061", "Asynchronous socket error 10061."},
      {"", ""},
  };
  for (const auto& row : rows) {
    Raise(app, Exception(cp1251::FromUtf8(row.message)));
    ASSERT_FALSE(watcher.seen.empty()) << row.message;
    const SeenBox& box = watcher.seen.back();
    EXPECT_EQ(box.text, cp1251::FromUtf8(row.shown));
    EXPECT_EQ(box.caption, shell_texts::kApplicationTitle);
    EXPECT_TRUE(box.only_ok);
    EXPECT_TRUE(box.error_icon);
  }
  EXPECT_EQ(watcher.seen.size(), std::size(rows));
}

TEST_F(ErrorDisplayTest, CaptionIsTheApplicationWindowText) {
  app.SetTitle(cp1251::FromUtf8("Заголовок"));
  Raise(app, Exception("x"));
  SetWindowTextW(app.Handle(), L"Other");
  Raise(app, Exception("y"));
  ASSERT_EQ(watcher.seen.size(), 2u);
  EXPECT_EQ(watcher.seen[0].caption, cp1251::FromUtf8("Заголовок"));
  EXPECT_EQ(watcher.seen[1].caption, "Other");
}

TEST_F(ErrorDisplayTest, AbortShowsNothingAndSkipsTheHook) {
  Raise(app, EAbort());
  int hooked = 0;
  app.ExceptionHook = [&](TObject*, const Exception&) { ++hooked; };
  Raise(app, EAbort("quiet"));
  PumpPending();
  EXPECT_TRUE(watcher.seen.empty());
  EXPECT_EQ(hooked, 0);
}

TEST_F(ErrorDisplayTest, HookReplacesTheBox) {
  TObject sender;
  std::string message;
  TObject* got = nullptr;
  app.ExceptionHook = [&](TObject* Sender, const Exception& E) {
    got = Sender;
    message = E.Message();
  };
  Raise(app, Exception("hooked"), &sender);
  EXPECT_EQ(got, &sender);
  EXPECT_EQ(message, "hooked");
  PumpPending();
  EXPECT_TRUE(watcher.seen.empty());
}

TEST_F(ErrorDisplayTest, ReportingCancelsThePointerCapture) {
  TForm& form = *app.CreateForm<TForm>();
  SetCapture(form.Handle());
  ASSERT_EQ(GetCapture(), form.Handle());
  app.ExceptionHook = [](TObject*, const Exception&) {};
  Raise(app, Exception("x"));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ErrorDisplayTest, ABoxComesToTheFrontWhenNoWindowOfTheProgramIsOnShow) {
  TForm& form = *app.CreateForm<TForm>();
  std::vector<bool> topmost;
  watcher.on_seen = [&](const SeenBox& box) {
    topmost.push_back(GetWindowLongPtrW(box.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  };
  form.Show();
  Raise(app, Exception("shown"));
  form.Hide();  // as in the notification area: no window and no taskbar button
  Raise(app, Exception("hidden"));
  form.Show();
  app.Minimize();
  Raise(app, Exception("minimised"));
  EXPECT_EQ(topmost, (std::vector<bool>{false, true, true}));
}

TEST_F(ErrorDisplayTest, OtherWindowsAreDisabledWhileTheBoxIsUpAndActiveAgainAfter) {
  TForm& shown = *app.CreateForm<TForm>();
  TForm& hidden = *app.CreateForm<TForm>();
  shown.Show();
  SetActiveWindow(shown.Handle());
  ASSERT_TRUE(shown.Active());
  bool shown_enabled = true, hidden_enabled = false;
  watcher.on_seen = [&](const SeenBox&) {
    shown_enabled = IsWindowEnabled(shown.Handle());
    hidden_enabled = IsWindowEnabled(hidden.Handle());
  };
  Raise(app, Exception("x"));
  ASSERT_EQ(watcher.seen.size(), 1u);
  EXPECT_FALSE(shown_enabled);
  EXPECT_TRUE(hidden_enabled);  // only visible windows are disabled
  EXPECT_TRUE(IsWindowEnabled(shown.Handle()));
  EXPECT_TRUE(shown.Active());
}

TEST_F(ErrorDisplayTest, FormWindowProcedureReportsWithTheForm) {
  TForm& form = *app.CreateForm<TForm>();
  form.OnKeyDown = [](TObject*, WORD&, TShiftState) { throw Exception("key failed"); };
  ExpectCaught([&] { PostMessageW(form.Handle(), WM_KEYDOWN, VK_F1, 0); }, &form, "key failed");
}

TEST_F(ErrorDisplayTest, WindowlessControlReportsWithItsForm) {
  TForm& form = *app.CreateForm<TForm>();
  TBBut button(&form);
  button.OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
    throw Exception("press failed");
  };
  ExpectCaught([&] { PostMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); },
               &form, "press failed");
}

TEST_F(ErrorDisplayTest, NativeChildControlReportsWithItself) {
  TForm& form = *app.CreateForm<TForm>();
  TWinControl edit(&form, L"EDIT", WS_BORDER);
  edit.OnKeyDown = [](TObject*, WORD&, TShiftState) { throw Exception("edit failed"); };
  ExpectCaught([&] { PostMessageW(edit.Handle(), WM_KEYDOWN, VK_RETURN, 0); }, &edit,
               "edit failed");
}

TEST_F(ErrorDisplayTest, TimerTickReportsWithTheTimerAndKeepsTicking) {
  TTimer timer;
  timer.SetInterval(20);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 1) throw Exception("tick failed");
  };
  // The box of the first tick stays up until three more ticks have run inside its loop.
  watcher.hold = [&] { return ticks < 4; };
  ASSERT_TRUE(PumpUntil([&] { return !watcher.seen.empty() && ticks >= 4; }));
  watcher.hold = nullptr;
  EXPECT_EQ(watcher.seen.size(), 1u);
  EXPECT_EQ(watcher.seen[0].text, "tick failed.");

  std::vector<TObject*> senders;
  app.ExceptionHook = [&](TObject* Sender, const Exception&) { senders.push_back(Sender); };
  timer.OnTimer = [](TObject*) { throw Exception("tick failed"); };
  ASSERT_TRUE(PumpUntil([&] { return senders.size() >= 2; }));
  timer.SetEnabled(false);
  EXPECT_EQ(senders[0], &timer);
  EXPECT_EQ(senders[1], &timer);
}

TEST_F(ErrorDisplayTest, ASecondFailureOpensASecondBoxOnTop) {
  TTimer timer;
  timer.SetInterval(20);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    ++ticks;
    if (ticks <= 2) throw Exception(ticks == 1 ? "first" : "second");
  };
  std::vector<HWND> open_at_once;
  watcher.hold = [&] {
    if (ErrorBoxWatcher::OpenBoxes().size() < 2) return watcher.seen.size() < 2;
    if (open_at_once.empty()) open_at_once = ErrorBoxWatcher::OpenBoxes();
    return false;
  };
  ASSERT_TRUE(
      PumpUntil([&] { return watcher.seen.size() == 2 && ErrorBoxWatcher::OpenBoxes().empty(); }));
  timer.SetEnabled(false);
  ASSERT_EQ(watcher.seen.size(), 2u);
  EXPECT_EQ(watcher.seen[0].text, "first.");
  EXPECT_EQ(watcher.seen[1].text, "second.");
  ASSERT_EQ(open_at_once.size(), 2u);
  EXPECT_EQ(open_at_once[0], watcher.seen[1].window);  // topmost
}

TEST_F(ErrorDisplayTest, SocketWindowReportsThroughTheRoute) {
  TObject socket;
  UtilityWindow window(&socket, [](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_APP) throw Exception("Asynchronous socket error 10061");
    return false;
  });
  ExpectCaught([&] { PostMessageW(window.Handle(), WM_APP, 0, 0); }, &socket,
               "Asynchronous socket error 10061");
}

TEST_F(ErrorDisplayTest, ApplicationWindowReportsWithTheApplication) {
  app.HookMainWindow([](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_APP) throw Exception("hook failed");
    return false;
  });
  ExpectCaught([&] { PostMessageW(app.Handle(), WM_APP, 0, 0); }, &app, "hook failed");
}

class FailingForm : public TForm {
 public:
  explicit FailingForm(bool* destroyed) : destroyed_(destroyed) {
    OnCreate = [](TObject*) { throw Exception("create failed"); };
    OnShow = [](TObject*) { throw Exception("show failed"); };
    OnDestroy = [](TObject*) { throw Exception(cp1251::FromUtf8("Ошибка при закрытии")); };
  }
  ~FailingForm() override { *destroyed_ = true; }

 private:
  bool* destroyed_;
};

TEST_F(ErrorDisplayTest, FormStepsReportAndCarryOn) {
  bool destroyed = false;
  std::vector<TObject*> senders;
  FailingForm* form = app.CreateForm<FailingForm>(&destroyed);
  ASSERT_EQ(watcher.seen.size(), 1u);
  EXPECT_EQ(watcher.seen[0].text, "create failed.");
  EXPECT_EQ(app.MainForm(), form);

  form->Show();
  ASSERT_EQ(watcher.seen.size(), 2u);
  EXPECT_EQ(watcher.seen[1].text, "show failed.");
  EXPECT_TRUE(IsWindowVisible(form->Handle()));

  app.DestroyForms();
  ASSERT_EQ(watcher.seen.size(), 3u);
  EXPECT_EQ(watcher.seen[2].text, cp1251::FromUtf8("Ошибка при закрытии."));
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(app.MainForm(), nullptr);

  app.ExceptionHook = [&](TObject* Sender, const Exception&) { senders.push_back(Sender); };
  form = app.CreateForm<FailingForm>(&destroyed);
  form->Show();
  TObject* created = form;
  app.DestroyForms();
  EXPECT_EQ(senders, (std::vector<TObject*>{created, created, created}));
}

TEST(ApplicationErrorRoute, SetWhenUnsetAndClearedOnlyIfOwn) {
  EXPECT_FALSE(HasApplicationErrorRoute());
  {
    TApplication app;
    EXPECT_TRUE(HasApplicationErrorRoute());
    int hooked = 0;
    app.ExceptionHook = [&](TObject*, const Exception&) { ++hooked; };
    try {
      throw Exception("routed");
    } catch (...) {
      ReportToApplicationErrorRoute(nullptr);
    }
    EXPECT_EQ(hooked, 1);
  }
  EXPECT_FALSE(HasApplicationErrorRoute());

  int other = 0;
  const int owner = 0;
  SetApplicationErrorRoute(&owner, [&](TObject*) { ++other; });
  {
    TApplication app;  // finds a route set and leaves it
  }
  EXPECT_TRUE(HasApplicationErrorRoute());
  try {
    throw Exception("x");
  } catch (...) {
    ReportToApplicationErrorRoute(nullptr);
  }
  EXPECT_EQ(other, 1);
  ClearApplicationErrorRoute(&owner);
}

}  // namespace
