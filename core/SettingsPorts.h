// What the settings store needs from the platform: the user's folders and the profile (INI)
// file functions. Paths and values are Windows-1251 texts.
#pragma once

#include <string>

class UserFolders {
 public:
  virtual ~UserFolders() = default;
  // The registry's per-user "Volatile Environment" / "APPDATA"; empty when missing.
  virtual std::string RegistryAppDataFolder() = 0;
  // The platform's own per-user application-data folder; empty when it has none.
  virtual std::string KnownAppDataFolder() = 0;
  // The registry's per-user "Shell Folders" / "Personal"; empty when missing.
  virtual std::string DocumentsFolder() = 0;
};

class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  // The value of key in section, read with a 2048-byte buffer (at most 2047 bytes), blanks
  // around it and one pair of enclosing quotes removed; fallback when the file, the section
  // or the key is missing. Section and key names match without regard to case.
  virtual std::string ReadString(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& fallback) = 0;
  // Writes one key (creating the file and the section when needed). False on failure.
  virtual bool WriteString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};
