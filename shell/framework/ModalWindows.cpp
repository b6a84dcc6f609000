#include "shell/framework/ModalWindows.h"

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled() {
  std::vector<HWND> candidates;
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&candidates));
  // Disabled only after the enumeration, which must not see its own changes.
  for (HWND window : candidates) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      disabled_.push_back(window);
    }
  }
}

void ThreadWindowsDisabled::EnableAgain() {
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
}
