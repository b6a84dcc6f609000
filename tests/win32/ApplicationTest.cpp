// The application object: its window, the hook chain and message processing.
#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "platform/win32/UtilityWindow.h"
#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/UiTestSupport.h"

namespace {

TEST(Application, TitleIsTheTextOfItsHiddenWindow) {
  TApplication app;
  EXPECT_EQ(Application, &app);
  app.SetTitle(shell_texts::kApplicationTitle);
  EXPECT_EQ(FindWindowW(nullptr, WideText(shell_texts::kApplicationTitle).c_str()), app.Handle());
  EXPECT_FALSE(IsWindowVisible(app.Handle()));
  app.SetTitle(cp1251::FromUtf8("Клиент"));
  wchar_t text[16];
  GetWindowTextW(app.Handle(), text, 16);
  EXPECT_EQ(NarrowText(text), cp1251::FromUtf8("Клиент"));
  EXPECT_TRUE(app.ShowMainForm());
}

TEST(Application, HooksSeeMessagesFirstAndMayHandleThem) {
  TApplication app;
  std::vector<std::string> seen;
  const int first = app.HookMainWindow([&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_APP) seen.push_back("first");
    return false;
  });
  app.HookMainWindow([&](UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_APP) return false;
    seen.push_back("second");
    result = 42;
    return true;
  });
  app.HookMainWindow([&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_APP) seen.push_back("third");
    return false;
  });
  EXPECT_EQ(SendMessageW(app.Handle(), WM_APP, 0, 0), 42);
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second"}));
  app.UnhookMainWindow(first);
  seen.clear();
  SendMessageW(app.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"second"}));
}

TEST(Application, AHookMayRemoveTheNextOneWhileRunning) {
  TApplication app;
  int second_runs = 0;
  int second = 0;
  app.HookMainWindow([&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_APP) app.UnhookMainWindow(second);
    return false;
  });
  second = app.HookMainWindow([&](UINT message, WPARAM, LPARAM, LRESULT&) {
    second_runs += message == WM_APP;
    return false;
  });
  SendMessageW(app.Handle(), WM_APP, 0, 0);
  EXPECT_EQ(second_runs, 0);
}

TEST(Application, ProcessMessagesHandlesWhatIsQueuedPaintsIncluded) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.Show();
  int handled = 0;
  bool again = true;
  // Each message posts the next, as a peer's data keeps the socket's notifications coming:
  // those posted meanwhile wait, or the call would never return.
  UtilityWindow target(nullptr, [&](UINT message, WPARAM, LPARAM, LRESULT&) {
    handled += message == WM_APP;
    if (message == WM_APP && again) PostMessageW(target.Handle(), WM_APP, 0, 0);
    return false;
  });
  for (int i = 0; i < 3; ++i) PostMessageW(target.Handle(), WM_APP, 0, 0);
  InvalidateRect(form.Handle(), nullptr, TRUE);
  app.ProcessMessages();
  EXPECT_EQ(handled, 3);
  RECT waiting;
  EXPECT_FALSE(GetUpdateRect(form.Handle(), &waiting, FALSE));
  EXPECT_FALSE(app.Terminated());
  app.ProcessMessages();
  EXPECT_EQ(handled, 6);
  again = false;
  app.ProcessMessages();
}

TEST(Application, TerminatePostsTheQuitMessage) {
  TApplication app;
  app.Terminate();
  EXPECT_FALSE(app.Terminated());
  app.ProcessMessages();
  EXPECT_TRUE(app.Terminated());
}

TEST(Application, RunWithoutShowingTheMainForm) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  app.SetShowMainForm(false);
  app.Terminate();
  app.Run();
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_TRUE(app.Terminated());
}

TEST(Application, CloseOfTheApplicationWindowClosesTheMainForm) {
  TApplication app;
  app.CreateForm<TForm>();
  SendMessageW(app.Handle(), WM_CLOSE, 0, 0);
  app.ProcessMessages();
  EXPECT_TRUE(app.Terminated());
}

TEST(Application, MinimisingHidesTheFormsAndAnyRestoreBringsThemBack) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.Show();
  for (bool by_another_program : {false, true}) {
    app.Minimize();
    EXPECT_TRUE(IsIconic(app.Handle()));
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    if (by_another_program) {
      // As a second copy of the program restores the first one's application window.
      ShowWindow(app.Handle(), SW_RESTORE);
    } else {
      app.Restore();
    }
    EXPECT_FALSE(IsIconic(app.Handle()));
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
  }
}

}  // namespace
