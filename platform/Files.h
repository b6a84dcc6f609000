// Files and the profile (INI) file functions of the platform, behind the core's interfaces.
// Paths are Windows-1251 texts with "\" separators; on POSIX "\" becomes "/".
#pragma once

#include "core/FileSystem.h"
#include "core/SettingsPorts.h"

class PlatformFileSystem final : public FileSystem {
 public:
  bool WriteFile(const std::string& path, std::string_view bytes) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool ReplaceWith(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
};

// Windows: GetPrivateProfileStringA / WritePrivateProfileStringA. POSIX: a reader and writer
// of the same format with the same reading rules.
class PlatformProfileFile final : public ProfileFile {
 public:
  std::string ReadString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback) override;
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

// Windows: the per-user registry values and the shell's application-data folder.
// POSIX: $APPDATA for the registry value, $XDG_CONFIG_HOME or ~/.config for the platform's
// folder and ~/Documents for the documents folder.
class PlatformUserFolders final : public UserFolders {
 public:
  std::string RegistryAppDataFolder() override;
  std::string KnownAppDataFolder() override;
  std::string DocumentsFolder() override;
};
