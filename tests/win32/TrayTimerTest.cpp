// The notification-area icon's timers: their Enabled bookkeeping, the shared window and its
// count, and ticks from the platform's real timer.
#include "shell/TrayTimer.h"

#include <gtest/gtest.h>

#include "core/Errors.h"
#include "shell/framework/Application.h"
#include "win32/UiTestSupport.h"

namespace {

void Tick(const TTrayTimer& timer) {
  SendMessageW(TTrayTimerHandler::Window(), WM_TIMER, timer.Id(), 0);
}

TEST(TrayTimer, AllTimersShareOneWindowWhileAnyLives) {
  EXPECT_EQ(TTrayTimerHandler::RefCount(), 0u);
  EXPECT_EQ(TTrayTimerHandler::Window(), nullptr);
  HWND shared = nullptr;
  {
    TTrayTimer first;
    shared = TTrayTimerHandler::Window();
    ASSERT_NE(shared, nullptr);
    wchar_t name[32];
    GetClassNameW(shared, name, 32);
    EXPECT_STREQ(name, L"ZirkUtilWindow");
    EXPECT_FALSE(IsWindowVisible(shared));
    {
      TTrayTimer second(20, nullptr);
      EXPECT_EQ(TTrayTimerHandler::Window(), shared);
      EXPECT_EQ(TTrayTimerHandler::RefCount(), 2u);
      EXPECT_NE(first.Id(), second.Id());
    }
    EXPECT_EQ(TTrayTimerHandler::RefCount(), 1u);
    EXPECT_EQ(first.Interval(), 1000);
    EXPECT_FALSE(first.Enabled());
  }
  EXPECT_EQ(TTrayTimerHandler::RefCount(), 0u);
  EXPECT_FALSE(IsWindow(shared));
}

TEST(TrayTimer, IntervalZeroIsRefusedAndHaltsARunningTimerThatStaysEnabled) {
  int ticks = 0;
  TTrayTimer timer(0, [&](TObject*) { ++ticks; });
  EXPECT_FALSE(timer.Start());
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Enabled());

  timer.SetInterval(15);
  EXPECT_FALSE(timer.Enabled());  // a new interval does not start a disabled timer
  EXPECT_TRUE(timer.Start());
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));

  timer.SetInterval(0);
  EXPECT_TRUE(timer.Enabled());
  const int halted_at = ticks;
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, halted_at);
  timer.SetInterval(10);
  EXPECT_TRUE(PumpUntil([&] { return ticks > halted_at; }));

  timer.Stop(false);
  EXPECT_TRUE(timer.Enabled());
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Enabled());
}

TEST(TrayTimer, AnEmptyHandlerHaltsTheTimerThatStaysEnabled) {
  int ticks = 0;
  TTrayTimer timer(10, [](TObject*) {});
  timer.SetEnabled(true);
  timer.SetOnTimer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, 0);
  // Still enabled: a new interval starts it again.
  timer.SetInterval(12);
  EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }));
}

TEST(TrayTimer, ATickRaisesOnTimerOfTheTimerItNamesOnly) {
  TApplication app;
  std::vector<TObject*> senders;
  TTrayTimer first(1000, [&](TObject* sender) { senders.push_back(sender); });
  UINT_PTR gone_id = 0;
  {
    TTrayTimer gone(1000, [&](TObject* sender) { senders.push_back(sender); });
    gone_id = gone.Id();
  }
  Tick(first);
  SendMessageW(TTrayTimerHandler::Window(), WM_TIMER, gone_id, 0);
  EXPECT_EQ(senders, std::vector<TObject*>{&first});

  TObject* reported = nullptr;
  app.ExceptionHook = [&](TObject* sender, const Exception&) { reported = sender; };
  first.SetOnTimer([](TObject*) { throw Exception("tick failed"); });
  Tick(first);
  EXPECT_EQ(reported, &first);
}

TEST(TrayTimer, ATimerMayBeDestroyedByItsOwnTick) {
  auto timer = std::make_unique<TTrayTimer>(1000, nullptr);
  timer->SetOnTimer([&](TObject*) { timer.reset(); });
  HWND window = TTrayTimerHandler::Window();
  SendMessageW(window, WM_TIMER, timer->Id(), 0);
  EXPECT_EQ(timer, nullptr);
  EXPECT_EQ(TTrayTimerHandler::RefCount(), 0u);
  TTrayTimer next;
  EXPECT_EQ(TTrayTimerHandler::Window(), window);
}

}  // namespace
