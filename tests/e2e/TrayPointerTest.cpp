// The notification-area icon's enter and exit events under the display's real pointer: the
// shell reports moves over the icon, and the exit timer notices the pointer somewhere else.
#include <gtest/gtest.h>

#include "shell/TrayIcon.h"
#include "shell/framework/Application.h"
#include "win32/UiTestSupport.h"

namespace {

TEST(TrayPointer, LeavingTheIconIsAnyPlaceOtherThanTheLastMoveOverIt) {
  TApplication app;
  TTrayIcon icon(&app);
  std::vector<std::string> events;
  icon.OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
  icon.OnMouseExit = [&](TObject*) { events.push_back("exit"); };
  icon.SetWantEnterExitEvents(true);
  const auto move_over_icon = [&] {
    SendMessageW(TTrayIconHandler::Window(), kTrayCallbackMessage, icon.IconId(), WM_MOUSEMOVE);
  };

  ASSERT_TRUE(SetCursorPos(400, 300));
  ASSERT_TRUE(PumpUntil([] {
    POINT at;
    return GetCursorPos(&at) && at.x == 400 && at.y == 300;
  }));
  move_over_icon();
  move_over_icon();
  // The 20 ms exit timer runs meanwhile; the pointer stays where the shell last saw it.
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(events, std::vector<std::string>{"enter"});

  SetCursorPos(420, 320);
  EXPECT_TRUE(PumpUntil([&] { return events.size() == 2; }));
  EXPECT_EQ(events.back(), "exit");
  move_over_icon();
  EXPECT_EQ(events.back(), "enter");
}

}  // namespace
