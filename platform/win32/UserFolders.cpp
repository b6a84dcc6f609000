// The user's folders from the per-user registry hive and the shell, kept as UTF-16.
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "platform/Files.h"
#include "platform/win32/Handle.h"
#include "platform/win32/SystemLibrary.h"

namespace {

const wchar_t kAppDataKey[] = L"Volatile Environment";
const wchar_t kAppDataValue[] = L"APPDATA";
const wchar_t kShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t kDocumentsValue[] = L"Personal";

// The key is opened without being created and closed at once; anything missing gives "".
std::wstring ReadRegistryString(const wchar_t* key, const wchar_t* value) {
  RegistryKey opened;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, opened.out()) != ERROR_SUCCESS) {
    return std::wstring();
  }
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(opened.get(), value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::wstring();
  }
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(opened.get(), value, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS) {
    return std::wstring();
  }
  data.resize(size / sizeof(wchar_t));
  while (!data.empty() && data.back() == L'\0') data.pop_back();
  return data;
}

}  // namespace

std::filesystem::path PlatformUserFolders::RegistryAppDataFolder() {
  return ReadRegistryString(kAppDataKey, kAppDataValue);
}

// Asked only when the registry names no folder: the shell's library is loaded then.
std::filesystem::path PlatformUserFolders::KnownAppDataFolder() {
  static const auto folder_path =
      SystemFunction<decltype(::SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
  wchar_t path[MAX_PATH] = {};
  if (!folder_path ||
      folder_path(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) {
    return std::filesystem::path();
  }
  return std::filesystem::path(path);
}

std::filesystem::path PlatformUserFolders::DocumentsFolder() {
  return ReadRegistryString(kShellFoldersKey, kDocumentsValue);
}
