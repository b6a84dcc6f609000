// A timer on a hidden utility window of its own. Its tick message is a catch point: a failure
// in OnTimer is reported with the timer as sender, and the timer keeps ticking.
#pragma once

#include <cstdint>

#include "core/Component.h"
#include "platform/win32/UtilityWindow.h"

class TTimer : public TComponent {
 public:
  // Enabled, 1000 ms: it runs from construction on.
  explicit TTimer(TComponent* owner = nullptr);

  bool Enabled() const { return enabled_; }
  // Every assignment starts the interval afresh (or stops the timer).
  void SetEnabled(bool enabled);
  uint32_t Interval() const { return interval_; }
  // 0 stops the timer.
  void SetInterval(uint32_t interval);

  TNotifyEvent OnTimer;

 private:
  void Restart();

  UtilityWindow window_;
  bool enabled_ = true;
  uint32_t interval_ = 1000;
};
