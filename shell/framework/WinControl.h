// A native child control (edit field, combo box, list...) on a form: the framework creates the
// window, keeps it at its anchored place, gives it its font, and replaces its window procedure
// with one that is a catch point with the control as sender and raises the key events.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "shell/framework/Controls.h"
#include "shell/framework/Form.h"

using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

class TWinControl : public TControl {
 public:
  // The owner must be a form ("Invalid class typecast" otherwise).
  TWinControl(TComponent* owner, const wchar_t* window_class, DWORD style, DWORD ex_style = 0);
  ~TWinControl() override;

  static TWinControl* FromHandle(HWND window);
  HWND Handle() const { return handle_; }

  std::string Text() const;
  void SetText(const std::string& text);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  void SetFocus();

  // Key set to 0 by a handler: the key goes no further.
  TKeyEvent OnKeyDown;
  // A typed character as a Windows-1251 byte; 0: refused, another byte: typed instead.
  TKeyPressEvent OnKeyPress;

  // A message that the form received about this control (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR...);
  // true reports it handled, with result.
  virtual bool ParentMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    (void)message, (void)wparam, (void)lparam, (void)result;
    return false;
  }

 protected:
  // Sees each message of the control's window before the native procedure; true reports it
  // handled, with result. The default raises the key events.
  virtual bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  LRESULT CallNative(UINT message, WPARAM wparam, LPARAM lparam);
  // For a WM_KEYDOWN or WM_CHAR, wherever it arrived: raises OnKeyDown or OnKeyPress and leaves
  // in key what goes on; false when a handler refused the key.
  bool RaiseKeyEvent(UINT message, WPARAM& key);

  void BoundsChanged(const RECT& old_bounds) override;
  void VisibleChanged() override;
  void EnabledChanged() override;

 private:
  static LRESULT CALLBACK WindowThunk(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND handle_ = nullptr;
  WNDPROC native_ = nullptr;
  TFont font_;
};
