// What a modal window or box does to the others: every visible, enabled top-level window of
// the GUI thread is disabled while it is up, and enabled again afterwards.
#pragma once

#include <windows.h>

#include <vector>

class ThreadWindowsDisabled {
 public:
  ThreadWindowsDisabled();
  // Enables again the windows that were disabled and still exist, unless done already.
  ~ThreadWindowsDisabled() { EnableAgain(); }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

  void EnableAgain();

 private:
  std::vector<HWND> disabled_;
};
