// A full path keeps a file of the same name in the program's or the current folder from being
// loaded instead. The module is never freed, so whatever it handed out stays valid.
#include "platform/win32/SystemLibrary.h"

#include <string>

HMODULE SystemLibrary(const wchar_t* name) {
  if (HMODULE loaded = GetModuleHandleW(name)) return loaded;
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return LoadLibraryW(path.c_str());
}
