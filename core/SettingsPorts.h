// What the settings store needs from the platform besides files: the user's folders.
#pragma once

#include <filesystem>

class UserFolders {
 public:
  virtual ~UserFolders() = default;
  // The registry's per-user "Volatile Environment" / "APPDATA"; empty when missing.
  virtual std::filesystem::path RegistryAppDataFolder() = 0;
  // The platform's own per-user application-data folder; empty when it has none.
  virtual std::filesystem::path KnownAppDataFolder() = 0;
  // The registry's per-user "Shell Folders" / "Personal"; empty when missing.
  virtual std::filesystem::path DocumentsFolder() = 0;
};
