// A number field with up and down buttons and no bounds. Only "+", "-", the digits, the decimal
// separator and control keys are accepted as typed characters; any other character, and Enter,
// is refused with a beep after OnKeyDown has seen it. Up and Down (keys or buttons) add or
// subtract 1. A text that is not a whole number reads as 0.
#pragma once

#include <cstdint>

#include "shell/framework/WinControl.h"

class TSpinEdit : public TWinControl {
 public:
  explicit TSpinEdit(TComponent* owner);
  ~TSpinEdit() override;

  int32_t Value() const;
  void SetValue(int32_t value);

 protected:
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  void BoundsChanged(const RECT& old_bounds) override;
  void VisibleChanged() override;
  void EnabledChanged() override;

 private:
  void Step(int delta);
  HWND buttons_ = nullptr;  // the up-down control, a child of the field
};
