// The one hidden-window primitive: a hidden, never shown top-level window of class
// "ZirkUtilWindow" (WS_EX_TOOLWINDOW, WS_POPUP, no owner, empty caption) whose messages go to
// one handler. Socket notifications, timers and the tray icon each use one.
//
// The window procedure is a catch point: an exception that escapes the handler is passed to
// the application's error route with the window's sender, and the message counts as handled.
#pragma once

#include <windows.h>

#include <functional>

class TObject;

class UtilityWindow {
 public:
  // Returns true when it handled the message and set result; false passes it to DefWindowProc.
  using Handler = std::function<bool(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result)>;

  // sender is what the error route is told about; it may be null. The handler must not destroy
  // this object while it handles a message.
  UtilityWindow(TObject* sender, Handler handler);
  ~UtilityWindow();
  UtilityWindow(const UtilityWindow&) = delete;
  UtilityWindow& operator=(const UtilityWindow&) = delete;

  HWND Handle() const { return window_; }

  static constexpr const wchar_t* kClassName = L"ZirkUtilWindow";

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  TObject* sender_;
  Handler handler_;
  HWND window_ = nullptr;
};
