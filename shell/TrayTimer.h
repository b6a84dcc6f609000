// TTrayTimer: the timers of the notification-area icon. Every timer of the process ticks at one
// shared hidden window, TTrayTimerHandler's, which lives while any timer does; a tick raises
// OnTimer of the timer it names (a failure there is reported with the timer as sender), and a
// tick for a timer that no longer lives is dropped.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>

#include "core/Component.h"
#include "platform/win32/UtilityWindow.h"

class TTrayTimer;

class TTrayTimerHandler {
 public:
  // Creates the shared window when there is none and counts the timer; returns the window.
  static HWND AcquireTimerWindow(TTrayTimer* timer);
  // Forgets the timer; after the last one the window is destroyed (if a tick is being handled
  // at that moment it stays, for the next timer or until the process ends).
  static void ReleaseTimerWindow(TTrayTimer* timer);
  // The number of live timers, and the shared window (null when there is none).
  static uint32_t RefCount();
  static HWND Window();

  TTrayTimerHandler();

 private:
  bool TimerWindowProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

  std::map<UINT_PTR, TTrayTimer*> timers_;  // the reference count is its size
  int dispatching_ = 0;
  UtilityWindow window_;
};

class TTrayTimer : public TObject {
 public:
  // Stopped, 1000 ms, no handler.
  TTrayTimer() : TTrayTimer(1000, nullptr) {}
  TTrayTimer(int32_t interval, TNotifyEvent handler);
  ~TTrayTimer() override;
  TTrayTimer(const TTrayTimer&) = delete;
  TTrayTimer& operator=(const TTrayTimer&) = delete;

  // The identifier towards SetTimer: the timer's own identity.
  UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }

  // Whether the timer is meant to run. True: Start; False: Stop(true).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // A new value restarts an enabled timer, or halts it (still enabled) when it is 0.
  int32_t Interval() const { return interval_; }
  void SetInterval(int32_t interval);
  // An empty handler halts an enabled timer (still enabled).
  const TNotifyEvent& OnTimer() const { return on_timer_; }
  void SetOnTimer(TNotifyEvent handler);

  // Refuses interval 0 (false, nothing changed); otherwise (re)starts the platform timer and is
  // enabled when that succeeds.
  bool Start();
  // Halts the platform timer; disable also clears Enabled.
  void Stop(bool disable);

 private:
  friend class TTrayTimerHandler;

  HWND window_;
  bool enabled_ = false;
  int32_t interval_;
  TNotifyEvent on_timer_;
};
