#include "platform/win32/SystemLibrary.h"

#include <string>

HMODULE LoadSystemLibrary(std::wstring_view name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + std::wstring(name);
  return LoadLibraryW(path.c_str());
}

bool Library::Load(std::string_view name) {
  Free();
  // File names of system libraries are ASCII.
  module_ = LoadSystemLibrary(std::wstring(name.begin(), name.end()));
  return module_ != nullptr;
}

void Library::Free() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
}

// Never freed, so whatever the library handed out stays valid.
HMODULE SystemLibrary(const wchar_t* name) {
  if (HMODULE loaded = GetModuleHandleW(name)) return loaded;
  return LoadSystemLibrary(name);
}
