// The one hidden-window primitive: a hidden, never shown top-level window of class
// "ZirkUtilWindow" (WS_EX_TOOLWINDOW, WS_POPUP, no owner, empty caption) whose messages go to
// one handler. Socket notifications, timers and the tray icon each use one.
//
// Its window is hosted (platform/win32/WindowHost.h): an exception that escapes the handler is
// passed to the application's error route with the window's sender, and the message counts as
// handled.
#pragma once

#include "platform/win32/WindowHost.h"

class UtilityWindow : public HostedWindow {
 public:
  using Handler = MessageHandler;

  // sender is what the error route is told about; it may be null. The handler must not destroy
  // this object while it handles a message.
  UtilityWindow(TObject* sender, Handler handler);

  static constexpr const wchar_t* kClassName = L"ZirkUtilWindow";
};
