// The user's folders from the per-user registry hive and the shell.
#include <shlobj.h>
#include <windows.h>

#include "core/Texts.h"
#include "platform/Files.h"
#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"

namespace {

// The key is opened without being created and closed at once; anything missing gives "".
std::string ReadRegistryString(const std::string& key, const std::string& value) {
  RegistryKey opened;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, WideText(key).c_str(), 0, KEY_READ, opened.out()) !=
      ERROR_SUCCESS) {
    return std::string();
  }
  std::wstring name = WideText(value);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::string();
  }
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
    return std::string();
  }
  data.resize(size / sizeof(wchar_t));
  while (!data.empty() && data.back() == L'\0') data.pop_back();
  return NarrowText(data);
}

}  // namespace

std::string PlatformUserFolders::RegistryAppDataFolder() {
  return ReadRegistryString(texts::kAppDataRegistryKey, texts::kAppDataRegistryValue);
}

std::string PlatformUserFolders::KnownAppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) {
    return std::string();
  }
  return NarrowText(path);
}

std::string PlatformUserFolders::DocumentsFolder() {
  return ReadRegistryString(texts::kShellFoldersRegistryKey, texts::kDocumentsRegistryValue);
}
