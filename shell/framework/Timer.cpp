#include "shell/framework/Timer.h"

namespace {
const UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), window_(this, [this](UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != WM_TIMER) return false;
        result = 0;
        Fire(OnTimer, this);
        return true;
      }) {
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(uint32_t interval) {
  interval_ = interval;
  Restart();
}

void TTimer::Restart() {
  KillTimer(window_.Handle(), kTimerId);
  if (enabled_ && interval_ > 0) SetTimer(window_.Handle(), kTimerId, interval_, nullptr);
}
