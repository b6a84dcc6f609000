// Helpers for tests of real windows under Wine: pumping the application's loop until something
// holds, and watching for error boxes of this thread (reading them and pressing OK).
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/UtilityWindow.h"

// Runs the application's loop (its idle processing included) until done() holds or timeout_ms
// pass; returns whether done() held. A 10 ms timer keeps the loop from waiting for ever.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 5000);

// Handles whatever is queued now, without waiting.
void PumpPending();

// The window that takes the keys of a control's window: a combo box's edit field, or the
// window itself.
HWND KeyTarget(HWND control);
// A key pressed and released at a window, as the message loop would deliver it.
void PressKey(HWND window, WORD key);
// A key pressed and released at a window through the queue, so that the loop also makes the
// character it types, as for a key on the keyboard; handles the queue afterwards.
void TypeKey(HWND window, WORD key);

// Records which of this thread's windows last became active and last took the keys. The suites
// run side by side in one session, so another process may take the foreground right after a
// window of ours was brought to it; what the window was sent stays recorded.
class FocusWatch {
 public:
  FocusWatch();
  ~FocusWatch();
  FocusWatch(const FocusWatch&) = delete;
  FocusWatch& operator=(const FocusWatch&) = delete;

  HWND activated = nullptr;
  HWND focused = nullptr;

 private:
  HHOOK hook_;
};

struct SeenBox {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  bool only_ok = false;     // an OK button and no other
  bool error_icon = false;  // the stop-sign icon
};

// Every 10 ms, inside whatever loop runs (an error box's own loop included), looks at this
// thread's visible dialog boxes, records each new one and presses OK on the enabled ones, unless
// hold() says to leave them open for now.
class ErrorBoxWatcher {
 public:
  ErrorBoxWatcher();
  ~ErrorBoxWatcher();

  std::vector<SeenBox> seen;
  std::function<bool()> hold;
  // Runs once for each box when it is first seen, before it is pressed.
  std::function<void(const SeenBox&)> on_seen;

  // This thread's visible dialog boxes, topmost first.
  static std::vector<HWND> OpenBoxes();

 private:
  void Look();

  UtilityWindow window_;
  std::set<HWND> recorded_;
};
