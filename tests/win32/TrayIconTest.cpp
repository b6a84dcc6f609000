// The notification-area icon in-process: its requests to the shell and their records (through
// a recorder in the shell's place), the shell's mouse notifications sent to the shared window,
// its timers driven by their tick messages, cycling, and the windows it works with.
#include "shell/TrayIcon.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/Cp1251.h"
#include "fakes/FakeTrayShell.h"
#include "shell/ShellTexts.h"
#include "shell/Skin.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "win32/UiTestSupport.h"

namespace {

using Strings = std::vector<std::string>;

void Notify(const TTrayIcon& icon, UINT mouse_message) {
  SendMessageW(TTrayIconHandler::Window(), kTrayCallbackMessage, icon.IconId(), mouse_message);
}

void Tick(const TTrayTimer& timer) {
  SendMessageW(TTrayTimerHandler::Window(), WM_TIMER, timer.Id(), 0);
}

// What a window definition does for an icon: its stored values, then Loaded.
void Load(TTrayIcon& icon, const std::function<void()>& stored = {}) {
  icon.BeginLoading();
  if (stored) stored();
  icon.EndLoading();
}

class TrayIconTest : public ::testing::Test {
 protected:
  // Records the mouse events and clicks in the order they come.
  void Record(TTrayIcon& icon) {
    icon.OnClick = [this](TObject*) { events.push_back("click"); };
    icon.OnMouseDown = [this](TObject*, TMouseButton b, TShiftState shift, int, int) {
      events.push_back("down" + std::to_string(static_cast<int>(b)) + "/" + std::to_string(shift));
    };
    icon.OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      events.push_back("up" + std::to_string(static_cast<int>(b)));
    };
    icon.OnMouseMove = [this](TObject*, TShiftState, int, int) { events.push_back("move"); };
  }

  TApplication app;
  FakeTrayShell shell;
  Strings events;
};

TEST_F(TrayIconTest, ConstructionFillsTheRecordOfAWindows2000Shell) {
  TTrayIcon first(&app);
  TTrayIcon second(&app);
  EXPECT_EQ(sizeof(TNotifyIconDataA), 504u);
  const TNotifyIconDataA& data = first.NotifyData();
  EXPECT_EQ(data.cbSize, 504u);
  EXPECT_EQ(data.hWnd, TTrayIconHandler::Window());
  EXPECT_EQ(data.uID, first.IconId());
  EXPECT_EQ(data.uFlags, 7u);
  EXPECT_EQ(data.uCallbackMessage, 0x0800u);
  EXPECT_EQ(data.hIcon, nullptr);
  TNotifyIconDataA zeros{};
  EXPECT_EQ(std::memcmp(&data.szTip, &zeros.szTip, 504 - offsetof(TNotifyIconDataA, szTip)), 0);
  // Identifiers are given out per process; both icons use the one window.
  EXPECT_NE(first.IconId(), second.IconId());
  EXPECT_EQ(second.NotifyData().hWnd, data.hWnd);
  EXPECT_EQ(TTrayIconHandler::RefCount(), 2u);

  EXPECT_TRUE(first.Enabled());
  EXPECT_TRUE(first.ShowHint());
  EXPECT_FALSE(first.IconVisible());
  EXPECT_EQ(first.IconIndex(), 0);
  EXPECT_EQ(first.CycleInterval(), 0u);
  EXPECT_EQ(first.CycleTimer().Interval(), 1000);
  EXPECT_EQ(first.ClickTimer().Interval(), 1000);
  EXPECT_EQ(first.ExitTimer().Interval(), 20);
  EXPECT_FALSE(first.CycleTimer().Enabled() || first.ClickTimer().Enabled() ||
               first.ExitTimer().Enabled());
  EXPECT_TRUE(shell.requests.empty());
}

TEST_F(TrayIconTest, LoadingWithTheIconHiddenMakesOneRefusedRemoveAndSetsVersionZero) {
  TTrayIcon icon(&app);
  Load(icon, [&] {
    icon.SetCycleInterval(0);
    icon.SetHint(shell_texts::kTrayHint);
    icon.SetIconIndex(0);
  });
  EXPECT_EQ(shell.Messages(),
            (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY, NIM_MODIFY, NIM_DELETE, NIM_SETVERSION}));
  EXPECT_EQ(shell.Count(NIM_ADD), 0u);
  EXPECT_FALSE(shell.requests[3].accepted);
  EXPECT_EQ(shell.Last().data.uVersion, 0u);
  EXPECT_TRUE(shell.present.empty());
}

TEST_F(TrayIconTest, AddRemoveAndASecondAddThatTheShellRefuses) {
  TTrayIcon icon(&app);
  icon.SetHint("tip");
  shell.requests.clear();
  icon.SetIconVisible(true);
  icon.SetIconVisible(true);
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_ADD}));
  EXPECT_TRUE(shell.requests[0].accepted);
  EXPECT_FALSE(shell.requests[1].accepted);
  EXPECT_EQ(shell.present.size(), 1u);
  EXPECT_EQ(shell.requests[0].Tip(), "tip");
  EXPECT_EQ(shell.requests[0].bytes.size(), 504u);
  icon.SetIconVisible(false);
  EXPECT_EQ(shell.Last().message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_TRUE(shell.present.empty());
  EXPECT_FALSE(icon.IconVisible());
}

TEST_F(TrayIconTest, TheTipIsTheHintCutTo127BytesOrNothing) {
  struct Case {
    std::string hint;
    bool show_hint;
    std::string tip;
  };
  const std::string cyrillic = cp1251::FromUtf8("Клиент ZIRK");
  const std::string long_hint = std::string(120, 'a') + "0123456789";
  const Case cases[] = {
      {"", true, ""},
      {shell_texts::kTrayHint, true, shell_texts::kTrayHint},
      {cyrillic, true, cyrillic},
      {std::string(127, 'x'), true, std::string(127, 'x')},
      {long_hint, true, long_hint.substr(0, 127)},
      {std::string(300, 'y'), true, std::string(127, 'y')},
      {shell_texts::kTrayHint, false, ""},
  };
  TTrayIcon icon(&app);
  for (const Case& c : cases) {
    icon.SetHint(std::string(200, 'z'));  // leaves no old bytes behind
    icon.SetShowHint(c.show_hint);
    icon.SetHint(c.hint);
    const TrayRequest& request = shell.Last();
    EXPECT_EQ(request.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(request.Tip(), c.tip) << c.hint;
    const std::string tip_bytes = request.bytes.substr(offsetof(TNotifyIconDataA, szTip), 128);
    EXPECT_EQ(tip_bytes, c.tip + std::string(128 - c.tip.size(), '\0')) << c.hint;
  }
}

TEST_F(TrayIconTest, TheShellGetsTheRecordWideWithTheProgramsOwnTable) {
  TTrayIcon icon(&app);
  icon.SetHint(cp1251::FromUtf8("Тест ZIRK ") + "\xB9");  // "№" is 0xB9 in Windows-1251
  const NOTIFYICONDATAW wide = WideNotifyData(icon.NotifyData());
  EXPECT_EQ(wide.cbSize, NOTIFYICONDATAW_V2_SIZE);
  EXPECT_EQ(wide.hWnd, icon.NotifyData().hWnd);
  EXPECT_EQ(wide.uID, icon.IconId());
  EXPECT_EQ(wide.uFlags, 7u);
  EXPECT_EQ(wide.uCallbackMessage, kTrayCallbackMessage);
  EXPECT_STREQ(wide.szTip, L"\u0422\u0435\u0441\u0442 ZIRK \u2116");
  EXPECT_EQ(wide.szInfo[0], L'\0');
}

TEST_F(TrayIconTest, TheSystemsNotificationAreaTakesTheIcon) {
  TTrayIcon icon(&app);
  icon.SetIcon(ProgramIcon(16));
  SetTrayNotifier(nullptr);  // the real shell for the rest of this test
  // Before the first add the shell would refuse anything else: it is not loaded for that.
  const bool shell_was_loaded = GetModuleHandleW(L"shell32.dll") != nullptr;
  EXPECT_FALSE(icon.UpdateTrayIcon());
  EXPECT_FALSE(icon.RemoveTrayIcon());
  if (!shell_was_loaded) {
    EXPECT_EQ(GetModuleHandleW(L"shell32.dll"), nullptr);
  }
  EXPECT_TRUE(icon.AddTrayIcon());
  EXPECT_FALSE(icon.AddTrayIcon());
  EXPECT_TRUE(icon.UpdateTrayIcon());
  EXPECT_TRUE(icon.RemoveTrayIcon());
  EXPECT_FALSE(icon.RemoveTrayIcon());
}

TEST_F(TrayIconTest, TheTaskbarsRestartAddsAVisibleIconAgainOnly) {
  ASSERT_TRUE(TaskbarRestartSupported(0x40047));
  ASSERT_FALSE(TaskbarRestartSupported(0x40046));
  ASSERT_FALSE(TaskbarRestartSupported(0x40000));
  // Wine's common controls are newer than 4.71.
  ASSERT_EQ(TaskbarRestartMessage(), RegisterWindowMessageW(L"TaskbarCreated"));

  TTrayIcon shown(&app);
  TTrayIcon hidden(&app);
  shown.SetIconVisible(true);
  shell.requests.clear();
  SendMessageW(app.Handle(), TaskbarRestartMessage(), 0, 0);
  ASSERT_EQ(shell.Messages(), std::vector<DWORD>{NIM_ADD});
  EXPECT_EQ(shell.Last().data.uID, shown.IconId());
}

TEST_F(TrayIconTest, WithoutOnDblClickAClickComesAtTheReleaseBeforeMouseUp) {
  TTrayIcon icon(&app);
  Record(icon);
  Notify(icon, WM_LBUTTONDOWN);
  EXPECT_FALSE(icon.ClickTimer().Enabled());
  Notify(icon, WM_LBUTTONUP);
  EXPECT_EQ(events, (Strings{"down0/8", "click", "up0"}));
  // The second press of a double-click arrives as WM_LBUTTONDBLCLK: no second click.
  events.clear();
  Notify(icon, WM_LBUTTONDOWN);
  Notify(icon, WM_LBUTTONUP);
  Notify(icon, WM_LBUTTONDBLCLK);
  Notify(icon, WM_LBUTTONUP);
  EXPECT_EQ(events, (Strings{"down0/8", "click", "up0", "up0"}));
}

TEST_F(TrayIconTest, WithOnDblClickTheClickTimerDecides) {
  TTrayIcon icon(&app);
  Record(icon);
  icon.OnDblClick = [&](TObject*) { events.push_back("double"); };

  // A single click: OnClick when the click timer fires, one double-click time after the press.
  Notify(icon, WM_LBUTTONDOWN);
  EXPECT_TRUE(icon.ClickTimer().Enabled());
  EXPECT_EQ(icon.ClickTimer().Interval(), static_cast<int32_t>(GetDoubleClickTime()));
  Notify(icon, WM_LBUTTONUP);
  EXPECT_EQ(events, (Strings{"down0/8", "up0"}));
  Tick(icon.ClickTimer());
  EXPECT_EQ(events, (Strings{"down0/8", "up0", "click"}));
  EXPECT_FALSE(icon.ClickTimer().Enabled());

  // A double click: OnDblClick and no OnClick.
  events.clear();
  Notify(icon, WM_LBUTTONDOWN);
  Notify(icon, WM_LBUTTONUP);
  Notify(icon, WM_LBUTTONDBLCLK);
  Notify(icon, WM_LBUTTONUP);
  Tick(icon.ClickTimer());
  EXPECT_EQ(events, (Strings{"down0/8", "up0", "double", "up0"}));

  // A press held past the double-click time: OnClick at the release.
  events.clear();
  Notify(icon, WM_LBUTTONDOWN);
  Tick(icon.ClickTimer());
  Notify(icon, WM_LBUTTONUP);
  EXPECT_EQ(events, (Strings{"down0/8", "click", "up0"}));

  // The platform's own timer brings the pending click.
  events.clear();
  Notify(icon, WM_LBUTTONDOWN);
  Notify(icon, WM_LBUTTONUP);
  EXPECT_TRUE(PumpUntil([&] { return events.size() == 3; }, 5000 + GetDoubleClickTime()));
  EXPECT_EQ(events.back(), "click");
}

TEST_F(TrayIconTest, OtherButtonsAndMovesRaiseTheirEventsAndDisabledNothing) {
  TTrayIcon icon(&app);
  Record(icon);
  icon.SetEnabled(false);
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                       WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP}) {
    Notify(icon, message);
  }
  EXPECT_TRUE(events.empty());
  icon.SetEnabled(true);
  for (UINT message : {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP,
                       WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
    Notify(icon, message);
  }
  EXPECT_EQ(events, (Strings{"move", "down1/16", "up1", "down2/32", "up2"}));
}

TEST_F(TrayIconTest, ANotificationNamingNoLiveIconIsDropped) {
  UINT gone_id = 0;
  {
    TTrayIcon gone(&app);
    Record(gone);
    gone_id = gone.IconId();
  }
  TTrayIcon icon(&app);
  Record(icon);
  ASSERT_NE(icon.IconId(), gone_id);
  HWND window = TTrayIconHandler::Window();
  EXPECT_EQ(SendMessageW(window, kTrayCallbackMessage, gone_id, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(SendMessageW(window, kTrayCallbackMessage, icon.IconId() + 100, WM_LBUTTONDOWN), 0);
  EXPECT_TRUE(events.empty());
  // The shared window refuses to be closed.
  EXPECT_EQ(SendMessageW(window, WM_CLOSE, 0, 0), 1);
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(TrayIconTest, AnIconDestroyedByItsOwnClickGoesNoFurther) {
  auto icon = std::make_unique<TTrayIcon>(&app);
  const UINT id = icon->IconId();
  int ups = 0;
  icon->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  icon->OnClick = [&](TObject*) { icon.reset(); };
  HWND window = TTrayIconHandler::Window();
  SendMessageW(window, kTrayCallbackMessage, id, WM_LBUTTONDOWN);
  SendMessageW(window, kTrayCallbackMessage, id, WM_LBUTTONUP);
  EXPECT_EQ(icon, nullptr);
  EXPECT_EQ(ups, 0);
  EXPECT_EQ(TTrayIconHandler::RefCount(), 0u);
  // The window outlived its own procedure's run and serves the next icon.
  EXPECT_EQ(TTrayIconHandler::Window(), window);
  TTrayIcon next(&app);
  EXPECT_EQ(next.NotifyData().hWnd, window);
}

TEST_F(TrayIconTest, AFailingHandlerIsReportedWithTheIconAsSender) {
  TTrayIcon icon(&app);
  TObject* reported = nullptr;
  app.ExceptionHook = [&](TObject* sender, const Exception&) { reported = sender; };
  icon.OnMouseMove = [](TObject*, TShiftState, int, int) { throw Exception("move failed"); };
  Notify(icon, WM_MOUSEMOVE);
  EXPECT_EQ(reported, &icon);
}

TEST_F(TrayIconTest, EnterComesWithTheFirstMoveAndTheExitTimerPollsThePointer) {
  TTrayIcon icon(&app);
  Record(icon);
  icon.OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
  icon.OnMouseExit = [&](TObject*) { events.push_back("exit"); };
  Notify(icon, WM_MOUSEMOVE);
  EXPECT_EQ(events, Strings{"move"});
  icon.SetWantEnterExitEvents(true);
  EXPECT_TRUE(icon.ExitTimer().Enabled());
  Notify(icon, WM_MOUSEMOVE);
  Notify(icon, WM_MOUSEMOVE);
  // The pointer has not moved since: still over the icon. (Leaving it is tested with the real
  // pointer, end to end.)
  Tick(icon.ExitTimer());
  EXPECT_EQ(events, (Strings{"move", "enter", "move", "move"}));
  icon.SetWantEnterExitEvents(false);
  EXPECT_FALSE(icon.ExitTimer().Enabled());
}

}  // namespace
