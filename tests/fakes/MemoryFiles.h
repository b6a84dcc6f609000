// Files held in memory, with the faults a test switches on: files that exist but cannot be read,
// and a disk that is full once its files hold so many bytes.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <vector>

#include "core/FileSystem.h"

class MemoryFiles : public FileSystem {
 public:
  bool WriteFile(const std::filesystem::path& path,
                 std::span<const std::string_view> pieces) override {
    std::string bytes;
    for (std::string_view piece : pieces) bytes.append(piece);
    writes.push_back(path);
    std::string& file = files[path];
    file.clear();
    const size_t used = Used();
    if (capacity && used + bytes.size() > *capacity) {
      file = bytes.substr(0, *capacity - used);
      return false;
    }
    file = bytes;
    return true;
  }
  std::optional<std::string> ReadFile(const std::filesystem::path& path,
                                      size_t size_limit) override {
    auto found = files.find(path);
    if (unreadable.count(path) || found == files.end() || found->second.size() > size_limit) {
      return std::nullopt;
    }
    return found->second;
  }
  bool FileExists(const std::filesystem::path& path) override {
    return files.count(path) || unreadable.count(path);
  }
  bool ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to) override {
    auto found = files.find(from);
    if (found == files.end()) return false;
    std::string bytes = std::move(found->second);
    files.erase(found);
    files[to] = std::move(bytes);
    return true;
  }
  void RemoveFile(const std::filesystem::path& path) override { files.erase(path); }

  size_t Used() const {
    size_t used = 0;
    for (const auto& [path, bytes] : files) used += bytes.size();
    return used;
  }

  std::map<std::filesystem::path, std::string> files;
  std::set<std::filesystem::path> unreadable;
  // Nothing: no limit.
  std::optional<size_t> capacity;
  std::vector<std::filesystem::path> writes;
};
