// Reading the windows of another process of the same session, for the tools that look into the
// running program from outside: a window's text is asked for with WM_GETTEXT, which (unlike
// GetWindowText) reaches the contents of another process's controls.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring TextOf(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}
