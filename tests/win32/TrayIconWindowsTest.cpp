// The notification-area icon and the application's windows: hiding the main window with its
// taskbar button and bringing it back, the owner window's replaced procedure, minimising to the
// notification area, and the start-up event.
#include <gtest/gtest.h>

#include "fakes/FakeTrayShell.h"
#include "shell/TrayIcon.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/UiTestSupport.h"

namespace {

WNDPROC ProcedureOf(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

// Another program's procedure, put in front of the owner window's after the icons'.
WNDPROC behind_other = nullptr;
int other_saw_text = 0;
LRESULT CALLBACK OtherProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETTEXT) ++other_saw_text;
  return CallWindowProcW(behind_other, window, message, wparam, lparam);
}

class TrayIconWindowsTest : public ::testing::Test {
 protected:
  TrayIconWindowsTest() : main(app.CreateForm<TForm>(&app)) { main->SetBounds(200, 200, 300, 200); }

  TApplication app;
  FakeTrayShell shell;
  TForm* main;
};

TEST_F(TrayIconWindowsTest, HidesTheMainWindowWithItsTaskbarButtonAndBringsItBack) {
  TTrayIcon icon(main);
  main->Show();
  PumpPending();
  ASSERT_TRUE(IsWindowVisible(app.Handle()));
  icon.HideMainWindow();
  EXPECT_FALSE(main->Visible());
  EXPECT_FALSE(IsWindowVisible(main->Handle()));
  EXPECT_FALSE(IsWindowVisible(app.Handle()));
  EXPECT_TRUE(shell.requests.empty());  // the icon is the caller's business

  int shown = 0;
  main->OnShow = [&](TObject*) { ++shown; };
  FocusWatch focus;
  icon.RestoreMainWindow();
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  EXPECT_TRUE(IsWindowVisible(app.Handle()));
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(PumpUntil([&] { return focus.activated == main->Handle(); }));
  EXPECT_TRUE(shell.requests.empty());
}

TEST_F(TrayIconWindowsTest, RestoringBringsTheApplicationBackFromTheTaskbar) {
  TTrayIcon icon(main);
  main->Show();
  app.Minimize();
  ASSERT_TRUE(IsIconic(app.Handle()));
  icon.RestoreMainWindow();
  EXPECT_FALSE(IsIconic(app.Handle()));
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
}

TEST_F(TrayIconWindowsTest, WithoutAWindowedOwnerTheMainWindowIsLeftAlone) {
  TTrayIcon icon(&app);
  main->Show();
  icon.HideMainWindow();
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  // HideTaskbarButton acts on its own all the same.
  icon.HideTaskbarButton();
  EXPECT_FALSE(IsWindowVisible(app.Handle()));
}

TEST_F(TrayIconWindowsTest, TheOwnersProcedureIsReplacedForTheIconsLifeAndKeepsWorking) {
  const WNDPROC original = ProcedureOf(main->Handle());
  {
    TTrayIcon icon(main);
    EXPECT_NE(ProcedureOf(main->Handle()), original);
    main->SetCaption("still handled");
    EXPECT_EQ(main->Caption(), "still handled");
  }
  EXPECT_EQ(ProcedureOf(main->Handle()), original);

  // Two icons that go in the order they came: the window works throughout.
  auto first = std::make_unique<TTrayIcon>(main);
  auto second = std::make_unique<TTrayIcon>(main);
  first.reset();
  main->SetCaption("after the first");
  EXPECT_EQ(main->Caption(), "after the first");
  second.reset();
  main->SetCaption("after both");
  EXPECT_EQ(main->Caption(), "after both");
  main->Show();
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
}

TEST_F(TrayIconWindowsTest, ManyIconsEachSeeTheOwnersMessagesAndLeaveAProcedureInFrontWorking) {
  std::vector<std::unique_ptr<TTrayIcon>> icons;
  for (int i = 0; i < 20; ++i) icons.push_back(std::make_unique<TTrayIcon>(main));
  int raised = 0;
  icons.back()->SetMinimizeToTray(true);
  icons.back()->OnMinimizeToTray = [&](TObject*) { ++raised; };
  EXPECT_EQ(SendMessageW(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
  EXPECT_EQ(raised, 1);

  behind_other = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(main->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OtherProcedure)));
  icons.clear();
  EXPECT_EQ(ProcedureOf(main->Handle()), &OtherProcedure);
  main->SetCaption("through the other");
  EXPECT_EQ(main->Caption(), "through the other");
  EXPECT_EQ(other_saw_text, 1);
  // The other goes too; the window is as it was.
  SetWindowLongPtrW(main->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(behind_other));
  main->SetCaption("alone");
  EXPECT_EQ(main->Caption(), "alone");
  main->Show();
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
}

TEST_F(TrayIconWindowsTest, MinimisingGoesToTheNotificationAreaWithMinimizeToTray) {
  TTrayIcon icon(main);
  main->Show();
  SendMessageW(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(app.Handle()));
  EXPECT_TRUE(shell.requests.empty());
  app.Restore();

  // The application window, once minimised, hides the main window to the notification area.
  icon.SetMinimizeToTray(true);
  SendMessageW(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(main->Handle()));
  EXPECT_EQ(shell.Messages(), std::vector<DWORD>{NIM_ADD});
  icon.RestoreMainWindow();
  icon.SetIconVisible(false);
  shell.requests.clear();

  // With OnMinimizeToTray the owner window's minimise goes there at once.
  int raised = 0;
  icon.OnMinimizeToTray = [&](TObject*) { ++raised; };
  EXPECT_EQ(SendMessageW(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
  EXPECT_EQ(raised, 1);
  EXPECT_FALSE(IsIconic(app.Handle()));
  EXPECT_FALSE(IsWindowVisible(main->Handle()));
  EXPECT_TRUE(icon.IconVisible());
  EXPECT_EQ(shell.Messages(), std::vector<DWORD>{NIM_ADD});
}

TEST_F(TrayIconWindowsTest, OnStartupMayKeepTheMainWindowFromBeingShown) {
  TTrayIcon icon(main);
  TObject* sender = nullptr;
  icon.OnStartup = [&](TObject* s, bool& show) {
    sender = s;
    EXPECT_TRUE(show);
    show = false;
  };
  icon.BeginLoading();
  icon.EndLoading();
  EXPECT_EQ(sender, &icon);
  EXPECT_FALSE(app.ShowMainForm());
}

TEST_F(TrayIconWindowsTest, DestroyingAShownIconRemovesIt) {
  {
    TTrayIcon icon(main);
    icon.SetIconVisible(true);
    EXPECT_EQ(TTrayIconHandler::RefCount(), 1u);
  }
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
  EXPECT_TRUE(shell.present.empty());
  EXPECT_EQ(TTrayIconHandler::RefCount(), 0u);
  EXPECT_EQ(TTrayIconHandler::Window(), nullptr);
}

}  // namespace
