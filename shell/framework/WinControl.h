// A child control on a form: the framework creates the window, keeps it at its anchored place,
// gives it its font, and is the catch point of its messages with the control as sender
// (WindowHost.h); it raises the key events and moves the focus on Tab and Shift+Tab. A native
// control (edit field, combo box, list...) is adopted: the control sees each message before the
// native procedure. A control of the program's own window class is hosted: the control sees
// every message, and what it leaves goes to the default procedure.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/WindowHost.h"
#include "shell/framework/Controls.h"
#include "shell/framework/Form.h"

using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

class TWinControl : public TControl {
 public:
  // The owner must be a form (EInvalidCast otherwise); raises shell_texts::kCannotCreateWindow
  // when the platform refuses the control's window.
  TWinControl(TComponent* owner, const wchar_t* window_class, DWORD style, DWORD ex_style = 0);
  // A control of the program's own window class: the shape's class, style and extended style;
  // WS_CHILD | WS_VISIBLE are added and the form is the parent. Messages sent while the window
  // is created reach only this class's WndProc.
  TWinControl(TComponent* owner, HostedWindowShape own_class);

  HWND Handle() const { return hosted_ ? hosted_->Handle() : window_.get(); }

  std::string Text() const;
  void SetText(const std::string& text);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  void SetFocus();
  // Whether Tab and Shift+Tab on the form stop at this control; they stop at every visible,
  // enabled control whose TabStop is on (the default), in the order the form holds them.
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool tab_stop) { tab_stop_ = tab_stop; }

  // Key set to 0 by a handler: the key goes no further. Tab and Shift+Tab (without Ctrl or Alt)
  // that a handler lets through move the focus to the form's next or previous tab stop.
  TKeyEvent OnKeyDown;
  // A typed character as a Windows-1251 byte; 0: refused, another byte: typed instead. The tab
  // character never reaches the control: Tab moves the focus instead.
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
  // The native procedure (the default one for a hosted control), for a message that WndProc
  // passes on changed.
  LRESULT CallNative(UINT message, WPARAM wparam, LPARAM lparam) {
    return hosted_ ? DefWindowProcW(Handle(), message, wparam, lparam)
                   : native_.CallNext(message, wparam, lparam);
  }
  // For a WM_KEYDOWN or WM_CHAR, wherever it arrived: raises OnKeyDown or OnKeyPress and leaves
  // in key what goes on; false when a handler refused the key.
  bool RaiseKeyEvent(UINT message, WPARAM& key);

  void BoundsChanged(const RECT& old_bounds) override;
  void VisibleChanged() override;
  void EnabledChanged() override;

 private:
  MessageHandler Handler();

  bool tab_stop_ = true;
  // In this order: the window goes after it is no longer adopted, the font after the window.
  TFont font_;
  WindowOwner window_;
  AdoptedWindow native_;
  std::unique_ptr<HostedWindow> hosted_;  // instead of the two above, for a hosted control
};
