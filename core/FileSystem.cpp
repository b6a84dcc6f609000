#include "core/FileSystem.h"

bool WriteFileAtomically(FileSystem& files, const std::filesystem::path& path,
                         std::string_view bytes) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  if (!files.WriteFile(temporary, {&bytes, 1}) || !files.ReplaceWith(temporary, path)) {
    files.RemoveFile(temporary);
    return false;
  }
  return true;
}
