// Windows files through the W functions with the platform's UTF-16 paths, so that any folder
// name reaches the file system unchanged whatever the system's code page.
#include "platform/Files.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Handle.h"

bool PlatformFileSystem::WriteFile(const std::filesystem::path& path,
                                   std::span<const std::string_view> pieces) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  for (std::string_view bytes : pieces) {
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      DWORD written = 0;
      if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
        return false;
      }
      done += written;
    }
  }
  // A full disk may show only when the cached bytes reach it.
  return FlushFileBuffers(file.get()) && file.Close();
}

std::optional<std::string> PlatformFileSystem::ReadFile(const std::filesystem::path& path,
                                                        size_t size_limit) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || static_cast<uint64_t>(size.QuadPart) > size_limit) {
    return std::nullopt;
  }
  // One byte more than the file holds, so that its end shows without growing the text.
  std::string text(static_cast<size_t>(size.QuadPart) + 1, '\0');
  size_t done = 0;
  // The file may grow while it is read: read until its end, within the limit.
  for (;;) {
    if (done == text.size()) text.resize(text.size() + 65536);
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
    if (!::ReadFile(file.get(), text.data() + done, chunk, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    done += got;
    if (done > size_limit) return std::nullopt;
  }
  text.resize(done);
  return text;
}

bool PlatformFileSystem::FileExists(const std::filesystem::path& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlatformFileSystem::ReplaceWith(const std::filesystem::path& from,
                                     const std::filesystem::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void PlatformFileSystem::RemoveFile(const std::filesystem::path& path) {
  DeleteFileW(path.c_str());
}
