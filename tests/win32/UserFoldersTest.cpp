// The user's folders from the real registry and shell of the Wine session.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/SettingsStore.h"
#include "platform/Files.h"

namespace {

const wchar_t kVolatileKey[] = L"Volatile Environment";

// Takes the "APPDATA" value away for the test's life and puts it back afterwards.
class WithoutAppDataValue {
 public:
  WithoutAppDataValue() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kVolatileKey, 0, KEY_READ | KEY_WRITE, &key) != 0) return;
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, L"APPDATA", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                         &size) == 0) {
      saved_ = value;
      RegDeleteValueW(key, L"APPDATA");
    }
    RegCloseKey(key);
  }
  ~WithoutAppDataValue() {
    if (saved_.empty()) return;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kVolatileKey, 0, KEY_WRITE, &key) != 0) return;
    RegSetValueExW(key, L"APPDATA", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_.c_str()),
                   static_cast<DWORD>((saved_.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  bool removed() const { return !saved_.empty(); }

 private:
  std::wstring saved_;
};

TEST(PlatformUserFolders, ReadsTheRegistryAndTheShell) {
  PlatformUserFolders folders;
  EXPECT_NE(folders.RegistryAppDataFolder().wstring().find(L"AppData"), std::wstring::npos)
      << folders.RegistryAppDataFolder();
  EXPECT_FALSE(folders.KnownAppDataFolder().empty());
  EXPECT_FALSE(folders.DocumentsFolder().empty());
}

TEST(PlatformUserFolders, WithoutTheRegistryValueTheShellsFolderHoldsTheSettings) {
  PlatformUserFolders folders;
  const std::filesystem::path known = folders.KnownAppDataFolder();
  WithoutAppDataValue missing;
  ASSERT_TRUE(missing.removed());
  EXPECT_EQ(folders.RegistryAppDataFolder(), "");
  PlatformFileSystem files;
  SettingsStore store(folders, files);
  store.Load();
  EXPECT_EQ(store.SettingsFolder(), known);
}

}  // namespace
