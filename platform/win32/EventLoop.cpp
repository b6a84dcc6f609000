// The thread's message queue. Window procedures catch what their handlers raise (the utility
// window reports it to the error route), so nothing is caught here.
#include "platform/EventLoop.h"

#include <windows.h>

bool RunPendingEvents(int timeout_ms) {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(timeout_ms), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
  bool handled = false;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    handled = true;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return handled;
}
