// Records what the skinned button's state machine asks for, in order.
#pragma once

#include <functional>
#include <string>

#include "fakes/CallLog.h"
#include "shell/logic/BButState.h"

class FakeBButActions : public BButActions {
 public:
  explicit FakeBButActions(CallLog& log) : log_(log) {}

  bool enabled = true;
  bool can_show_hover = true;
  // Runs inside Click after it is logged (a test raises from here).
  std::function<void()> on_click;

  bool Enabled() override { return enabled; }
  bool CanShowHover() override { return can_show_hover; }
  void BaseLeftDown(TShiftState shift, int x, int y) override {
    log_.Add("MouseDown " + Args(shift, x, y));
  }
  void BaseLeftUp(TShiftState shift, int x, int y) override {
    log_.Add("MouseUp " + Args(shift, x, y));
  }
  void SetLowered(bool lowered) override { log_.Add(lowered ? "Lowered" : "Raised"); }
  void PaintNow() override { log_.Add("Paint"); }
  void RepaintAreaNow() override { log_.Add("RepaintArea"); }
  void RequestRepaint() override { log_.Add("Invalidate"); }
  void ProcessMessages() override { log_.Add("ProcessMessages"); }
  void Click() override {
    log_.Add("Click");
    if (on_click) on_click();
  }
  void FirePress() override { log_.Add("Press"); }
  void FireRelease() override { log_.Add("Release"); }
  void FireMouseEnter() override { log_.Add("MouseEnter"); }
  void FireMouseLeave() override { log_.Add("MouseLeave"); }
  void FireChange() override { log_.Add("Change"); }
  void FireDoubleClick() override { log_.Add("DBClick"); }

 private:
  static std::string Args(TShiftState shift, int x, int y) {
    return std::to_string(shift) + " " + std::to_string(x) + " " + std::to_string(y);
  }
  CallLog& log_;
};
