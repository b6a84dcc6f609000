// A window's text as the program's Windows-1251 bytes.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"

inline std::string WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return NarrowText(text);
}
