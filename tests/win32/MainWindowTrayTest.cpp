// The main window and its notification-area icon: nothing at start-up but a refused remove, the
// minimise-to-tray button, the click on the icon, and the connection going on while hidden.
#include <gtest/gtest.h>

#include "fakes/FakeTrayShell.h"
#include "support/LoopbackPeer.h"
#include "win32/MainWindowFixture.h"

namespace {

class MainWindowTrayTest : public MainWindowTest {
 protected:
  void ClickIcon() {
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP}) {
      SendMessageW(TTrayIconHandler::Window(), kTrayCallbackMessage, form->TI.IconId(), message);
    }
  }
  bool Shown() { return IsWindowVisible(form->Handle()) && IsWindowVisible(app.Handle()); }
  bool Hidden() { return !IsWindowVisible(form->Handle()) && !IsWindowVisible(app.Handle()); }

  FakeTrayShell shell;
};

TEST_F(MainWindowTrayTest, StartsWithoutAnIconAfterOneRefusedRemove) {
  Create();
  EXPECT_EQ(shell.Count(NIM_DELETE), 1u);
  EXPECT_EQ(shell.Count(NIM_ADD), 0u);
  EXPECT_EQ(shell.Last().message, static_cast<DWORD>(NIM_SETVERSION));
  EXPECT_TRUE(shell.present.empty());
  const TTrayIcon& icon = form->TI;
  EXPECT_FALSE(icon.IconVisible());
  EXPECT_EQ(icon.Hint(), shell_texts::kTrayHint);
  EXPECT_EQ(icon.CycleInterval(), 0u);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_NE(icon.NotifyData().hIcon, nullptr);
  EXPECT_FALSE(icon.CycleTimer().Enabled() || icon.ExitTimer().Enabled());
}

TEST_F(MainWindowTrayTest, TheButtonHidesToTheIconAndAClickOnItBringsTheWindowBack) {
  Create();
  ASSERT_TRUE(Shown());
  shell.requests.clear();
  form->BBut6.Click();
  EXPECT_TRUE(Hidden());
  ASSERT_EQ(shell.Messages(), std::vector<DWORD>{NIM_ADD});
  EXPECT_TRUE(shell.Last().accepted);
  EXPECT_EQ(shell.Last().Tip(), shell_texts::kTrayHint);
  EXPECT_EQ(shell.Last().data.hIcon, form->TI.NotifyData().hIcon);
  EXPECT_NE(shell.Last().data.hIcon, nullptr);

  FocusWatch focus;
  ClickIcon();
  EXPECT_TRUE(Shown());
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
  EXPECT_TRUE(shell.present.empty());
  EXPECT_FALSE(form->TI.IconVisible());
  EXPECT_TRUE(PumpUntil([&] { return focus.activated == form->Handle(); }));
  EXPECT_EQ(focus.focused, KeyTarget(form->ADRL));

  // Right and middle clicks and moves over the icon change nothing.
  form->BBut6.Click();
  for (UINT message : {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP}) {
    SendMessageW(TTrayIconHandler::Window(), kTrayCallbackMessage, form->TI.IconId(), message);
  }
  EXPECT_TRUE(Hidden());
  EXPECT_TRUE(form->TI.IconVisible());
}

TEST_F(MainWindowTrayTest, ARestoreFromTheTaskbarLeavesTheFocusWhereItWas) {
  Create();
  form->MSG.SetFocus();
  form->BBut1.Click();
  ASSERT_TRUE(IsIconic(app.Handle()));
  // What the taskbar button sends.
  SendMessageW(app.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(GetFocus(), KeyTarget(form->MSG));
}

TEST_F(MainWindowTrayTest, ExitWhileHiddenRemovesTheIcon) {
  Create();
  form->BBut6.Click();
  app.DestroyForms();
  EXPECT_EQ(shell.Last().message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_TRUE(shell.present.empty());
}

TEST_F(MainWindowTrayTest, TheConnectionsAndThePollGoOnWhileHidden) {
  Create();
  LoopbackPeer line_peer;
  ConnectTo(line_peer.Port(), 0);
  ASSERT_TRUE(line_peer.Accept());
  form->BBut6.Click();
  ASSERT_TRUE(Hidden());
  EXPECT_TRUE(form->Timer1.Enabled());
  line_peer.Send("polled while hidden\r\n");
  EXPECT_TRUE(WaitText("> polled while hidden\r\n"));
  form->DConB.Click();

  ClickIcon();
  LoopbackPeer event_peer;
  ConnectTo(event_peer.Port(), 1);
  ASSERT_TRUE(PumpUntil([&] { return event_peer.Accept(0); }));
  ASSERT_TRUE(PumpUntil([&] { return form->DConB.Enabled(); }));
  form->BBut6.Click();
  ASSERT_TRUE(Hidden());
  event_peer.Send("chunk while hidden");
  EXPECT_TRUE(WaitText("> chunk while hidden"));
  form->MSG.SetText("sent while hidden");
  form->SendB.Click();
  EXPECT_EQ(event_peer.Receive(17), "sent while hidden");
  EXPECT_TRUE(Hidden());
  form->DConB.Click();
}

}  // namespace
