#include "shell/TrayTimer.h"

#include <memory>

#include "core/ErrorRoute.h"

namespace {

// The process's handler; destroyed with the process if a timer still lives then.
std::unique_ptr<TTrayTimerHandler>& Shared() {
  static std::unique_ptr<TTrayTimerHandler> handler;
  return handler;
}

}  // namespace

TTrayTimerHandler::TTrayTimerHandler()
    : window_(nullptr, [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
        return TimerWindowProc(message, wparam, lparam, result);
      }) {}

HWND TTrayTimerHandler::AcquireTimerWindow(TTrayTimer* timer) {
  auto& shared = Shared();
  if (!shared) shared = std::make_unique<TTrayTimerHandler>();
  shared->timers_[timer->Id()] = timer;
  return shared->window_.Handle();
}

void TTrayTimerHandler::ReleaseTimerWindow(TTrayTimer* timer) {
  auto& shared = Shared();
  if (!shared) return;
  shared->timers_.erase(timer->Id());
  // The window cannot go while its own procedure runs.
  if (shared->timers_.empty() && shared->dispatching_ == 0) shared.reset();
}

uint32_t TTrayTimerHandler::RefCount() {
  return Shared() ? static_cast<uint32_t>(Shared()->timers_.size()) : 0;
}

HWND TTrayTimerHandler::Window() {
  return Shared() ? Shared()->window_.Handle() : nullptr;
}

bool TTrayTimerHandler::TimerWindowProc(UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
  if (message != WM_TIMER) return false;
  result = 0;
  auto found = timers_.find(wparam);
  if (found == timers_.end()) return true;
  TTrayTimer* timer = found->second;
  ++dispatching_;
  try {
    Fire(timer->on_timer_, timer);
  } catch (...) {
    ReportToApplicationErrorRoute(timer);
  }
  --dispatching_;
  return true;
}

TTrayTimer::TTrayTimer(int32_t interval, TNotifyEvent handler)
    : window_(TTrayTimerHandler::AcquireTimerWindow(this)),
      interval_(interval),
      on_timer_(std::move(handler)) {}

TTrayTimer::~TTrayTimer() {
  if (enabled_) Stop(true);
  TTrayTimerHandler::ReleaseTimerWindow(this);
}

void TTrayTimer::SetEnabled(bool enabled) {
  if (enabled) {
    Start();
  } else {
    Stop(true);
  }
}

void TTrayTimer::SetInterval(int32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  if (!enabled_) return;
  if (interval != 0) {
    Start();
  } else {
    Stop(false);
  }
}

void TTrayTimer::SetOnTimer(TNotifyEvent handler) {
  on_timer_ = std::move(handler);
  if (!on_timer_ && enabled_) Stop(false);
}

bool TTrayTimer::Start() {
  if (interval_ == 0) return false;
  if (enabled_) Stop(true);
  const bool started = SetTimer(window_, Id(), static_cast<UINT>(interval_), nullptr) != 0;
  if (started) enabled_ = true;
  return started;
}

void TTrayTimer::Stop(bool disable) {
  if (disable) enabled_ = false;
  KillTimer(window_, Id());
}
