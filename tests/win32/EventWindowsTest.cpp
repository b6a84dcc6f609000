// What only the Windows back end shows: the socket object's hidden notification window, Wine's
// report of a reset, look-ups that still complete after their cancel, and the system's texts.
#include <windows.h>

#include <algorithm>

#include "integration/EventLoopbackFixture.h"
#include "platform/SystemErrorText.h"
#include "platform/win32/UtilityWindow.h"
#include "transport/Texts.h"

namespace {

using namespace transport_texts;

std::vector<HWND> UtilityWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (std::wstring(name) == UtilityWindow::kClassName) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

using EventWindows = EventLoopbackFixture;

TEST_F(EventWindows, NotificationsGoToAHiddenUtilityWindowMadeWhenFirstNeeded) {
  size_t before = UtilityWindows().size();
  auto other = std::make_unique<TEventClient>();
  EXPECT_EQ(UtilityWindows().size(), before);  // not at construction
  other->SetHost("localhost");
  other->SetPort(peer.Port());
  other->SetActive(true);
  std::vector<HWND> now = UtilityWindows();
  ASSERT_EQ(now.size(), before + 1);
  HWND window = now.back();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_POPUP, WS_POPUP);
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowTextLengthW(window), 0);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return other->Active(); }));
  other.reset();
  EXPECT_FALSE(IsWindow(window));
}

// Refuses the creation of this thread's hidden utility windows while it lives.
class RefuseUtilityWindows {
 public:
  RefuseUtilityWindows() : hook_(SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId())) {}
  ~RefuseUtilityWindows() { UnhookWindowsHookEx(hook_); }
  RefuseUtilityWindows(const RefuseUtilityWindows&) = delete;
  RefuseUtilityWindows& operator=(const RefuseUtilityWindows&) = delete;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
      const wchar_t* name = reinterpret_cast<CBT_CREATEWNDW*>(lparam)->lpcs->lpszClass;
      if (!IS_INTRESOURCE(name) && std::wstring(name) == UtilityWindow::kClassName) return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  HHOOK hook_;
};

TEST_F(EventWindows, WithoutItsHiddenWindowAnAttemptDisconnectsAndRaises) {
  const size_t before = UtilityWindows().size();
  TEventClient other;
  Texts seen;
  other.OnDisconnect = [&](TObject*, TAsyncSocket*) { seen.push_back("OnDisconnect"); };
  other.SetHost("localhost");
  other.SetPort(peer.Port());
  {
    RefuseUtilityWindows refuse;
    try {
      other.SetActive(true);
      FAIL() << "no error";
    } catch (const EAsyncSocketError& error) {
      EXPECT_EQ(error.Message(), WindowsSocketErrorMessage(wsa::kENOBUFS, kApiGetHostByName));
    }
  }
  EXPECT_EQ(seen, Texts{"OnDisconnect"});
  EXPECT_EQ(UtilityWindows().size(), before);
  other.SetActive(true);  // with windows again the next attempt connects
  EXPECT_TRUE(PumpUntil([&] { return other.Active(); }));
}

TEST_F(EventWindows, AResetIsHandledAsTheSystemReportsIt) {
  ConnectToPeer();
  peer.Reset();
  ASSERT_TRUE(PumpUntil([this] { return !route.messages.empty() || !events.empty(); }));
  PumpUntil([] { return false; }, 100);
  if (route.messages.empty()) {
    // Wine: the reset arrives as an orderly close.
    EXPECT_EQ(events, Texts{"OnDisconnect"});
    EXPECT_EQ(controller.TransportKind(), ConnectionController::kNoKind);
  } else {
    // Windows: the close notification carries the reset's code.
    EXPECT_EQ(route.messages, Texts{AsynchronousSocketErrorMessage(10054)});
    EXPECT_TRUE(client.Active());
  }
}

TEST_F(EventWindows, LookUpsCancelledByNewAttemptsCompleteHarmlessly) {
  view.address = "localhost";
  view.port = peer.Port();
  for (int i = 0; i < 20; ++i) controller.Connect();
  ASSERT_TRUE(PumpUntil([this] { return client.Active(); }));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(std::count(events.begin(), events.end(), "OnConnect+"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "OnLookup"), 20);
  EXPECT_TRUE(route.messages.empty());
}

TEST_F(EventWindows, AClientDestroyedWhileItsLookUpRunsLeavesNothingBehind) {
  for (int i = 0; i < 10; ++i) {
    TEventClient brief;
    brief.OnConnect = [](TObject*, TAsyncSocket*) { ADD_FAILURE() << "connected after its end"; };
    brief.SetHost("localhost");
    brief.SetPort(peer.Port());
    brief.SetActive(true);
  }
  PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(route.messages.empty());
}

TEST(EventSystemText, TheSystemsTextLosesItsPeriodAndLineEnd) {
  for (int code : {10054, 10061, 11001}) {
    std::string text = SystemErrorText(code);
    ASSERT_FALSE(text.empty()) << code;
    EXPECT_GT(static_cast<unsigned char>(text.back()), 0x20) << code;
    EXPECT_NE(text.back(), '.') << code;
  }
  EXPECT_EQ(SystemErrorText(0x7FFF0001), "");
}

}  // namespace
