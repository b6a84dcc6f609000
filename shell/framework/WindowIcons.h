// A window's two icons, kept for as long as the window shows them: the large one (Alt+Tab) and
// the small one (the taskbar button, the window's menu).
#pragma once

#include <windows.h>

#include <memory>

#include "shell/framework/Picture.h"

class WindowIcons {
 public:
  // Copies the pictures and gives the window their icons; a picture that holds no icon leaves
  // that size without one.
  void Set(HWND window, const TPicture& large, const TPicture& small);

 private:
  std::unique_ptr<TPicture> large_;
  std::unique_ptr<TPicture> small_;
};
