#include "core/FileSystem.h"

bool WriteFileAtomically(FileSystem& files, const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".tmp";
  if (!files.WriteFile(temporary, bytes)) {
    files.RemoveFile(temporary);
    return false;
  }
  if (!files.ReplaceWith(temporary, path)) {
    files.RemoveFile(temporary);
    return false;
  }
  return true;
}
