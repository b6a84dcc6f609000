// The file operations that the core needs, implemented by the platform layer. Paths are the
// platform's own (UTF-16 on Windows), so any name the user's folders hold reaches the file system
// unchanged.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Creates or truncates the file and writes the pieces' bytes exactly, one after the other,
  // through to the disk. False when the file cannot be created or not every byte could be
  // written.
  virtual bool WriteFile(const std::filesystem::path& path,
                         std::span<const std::string_view> pieces) = 0;
  // The whole content, or nothing when the file cannot be opened or read or holds more than
  // size_limit bytes.
  virtual std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                              size_t size_limit) = 0;
  // Whether a file (not a folder) of that name exists.
  virtual bool FileExists(const std::filesystem::path& path) = 0;
  // Renames from over to, replacing to in one step. False on failure.
  virtual bool ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual void RemoveFile(const std::filesystem::path& path) = 0;
};

// Writes a whole file so that a crash or a full disk leaves either the old or the new content:
// the bytes go to a temporary file beside it, which then replaces the file.
bool WriteFileAtomically(FileSystem& files, const std::filesystem::path& path,
                         std::string_view bytes);
