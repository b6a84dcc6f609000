// Files and the user's folders of the platform, behind the core's interfaces.
#pragma once

#include "core/FileSystem.h"
#include "core/SettingsPorts.h"

class PlatformFileSystem final : public FileSystem {
 public:
  bool WriteFile(const std::filesystem::path& path,
                 std::span<const std::string_view> pieces) override;
  std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                      size_t size_limit) override;
  bool FileExists(const std::filesystem::path& path) override;
  bool ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to) override;
  void RemoveFile(const std::filesystem::path& path) override;
};

// Windows: the per-user registry values and the shell's application-data folder, as UTF-16.
// POSIX: $APPDATA for the registry value, $XDG_CONFIG_HOME or ~/.config for the platform's
// folder and ~/Documents for the documents folder.
class PlatformUserFolders final : public UserFolders {
 public:
  std::filesystem::path RegistryAppDataFolder() override;
  std::filesystem::path KnownAppDataFolder() override;
  std::filesystem::path DocumentsFolder() override;
};
