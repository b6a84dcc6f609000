// A number field with up and down buttons and no bounds. Only "+", "-", the digits, the decimal
// separator and control keys are accepted as typed characters; any other character, and Enter,
// is refused with a beep after OnKeyDown has seen it. Up and Down (keys or buttons) add or
// subtract 1, wrapping round at the ends of the 32-bit range. A text that is not a whole number
// reads as 0.
#pragma once

#include <cstdint>

#include "platform/win32/WindowHost.h"
#include "shell/framework/WinControl.h"

class TSpinEdit : public TWinControl {
 public:
  explicit TSpinEdit(TComponent* owner);
  ~TSpinEdit() override;

  // The text read by the program's integer rule (decimal, or hexadecimal after "$" or "0x");
  // 0 for any other text.
  int32_t Value() const;
  void SetValue(int32_t value);

  // The up-down buttons, a child of the field at its right edge.
  HWND ButtonsHandle() const { return buttons_.get(); }

  // Whether a typed character is accepted, given the user's decimal separator.
  static bool Accepts(wchar_t typed, wchar_t decimal_separator);
  // The first character of the user locale's decimal separator.
  static wchar_t DecimalSeparator();

 protected:
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
  void BoundsChanged(const RECT& old_bounds) override;
  void EnabledChanged() override;
  // A refused character: a beep.
  virtual void Refuse();

 private:
  void Step(int delta);

  WindowOwner buttons_;
};
