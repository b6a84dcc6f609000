// Records what the skinned button's state machine asks for, in order.
#pragma once

#include <string>

#include "core/Errors.h"
#include "fakes/CallLog.h"
#include "shell/logic/BButState.h"

class FakeBButActions : public BButActions {
 public:
  explicit FakeBButActions(CallLog& log) : log_(log) {}

  bool enabled = true;
  bool can_show_hover = true;
  // The logged call after which the fake raises an Exception ("Click", "ProcessMessages"...).
  std::string raise_on;

  bool Enabled() override { return enabled; }
  bool CanShowHover() override { return can_show_hover; }
  void BaseLeftDown(TShiftState shift, int x, int y) override {
    log_.Add("MouseDown " + Args(shift, x, y));
  }
  void BaseLeftUp(TShiftState shift, int x, int y) override { Add("MouseUp " + Args(shift, x, y)); }
  void SetLowered(bool lowered) override { log_.Add(lowered ? "Lowered" : "Raised"); }
  void PaintNow() override { log_.Add("Paint"); }
  void RepaintAreaNow() override { log_.Add("RepaintArea"); }
  void RequestRepaint() override { log_.Add("Invalidate"); }
  void ProcessMessages() override { Add("ProcessMessages"); }
  void Click() override { Add("Click"); }
  void FirePress() override { log_.Add("Press"); }
  void FireRelease() override { log_.Add("Release"); }
  void FireMouseEnter() override { log_.Add("MouseEnter"); }
  void FireMouseLeave() override { log_.Add("MouseLeave"); }
  void FireChange() override { log_.Add("Change"); }
  void FireDoubleClick() override { log_.Add("DBClick"); }

 private:
  void Add(const std::string& call) {
    log_.Add(call);
    if (call == raise_on) throw Exception("raised by " + call);
  }
  static std::string Args(TShiftState shift, int x, int y) {
    return std::to_string(shift) + " " + std::to_string(x) + " " + std::to_string(y);
  }
  CallLog& log_;
};
