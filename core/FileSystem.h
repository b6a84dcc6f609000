// The file operations that the core needs, implemented by the platform layer.
// Paths are Windows-1251 texts with "\" as the separator, as the user and the registry give them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Creates or truncates the file and writes the bytes exactly. False when the file cannot be
  // created or not every byte could be written.
  virtual bool WriteFile(const std::string& path, std::string_view bytes) = 0;
  // The whole content, or nothing when the file cannot be opened or read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Renames from over to, replacing to in one step. False on failure.
  virtual bool ReplaceWith(const std::string& from, const std::string& to) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
};

// Writes a whole file so that a crash or a full disk leaves either the old or the new content:
// the bytes go to a temporary file beside it, which then replaces the file.
bool WriteFileAtomically(FileSystem& files, const std::string& path, std::string_view bytes);
