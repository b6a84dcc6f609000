// Windows files through the W functions, so that a path in Windows-1251 reaches the file
// system unchanged whatever the system's code page.
#include "platform/Files.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"

bool PlatformFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  UniqueHandle file(CreateFileW(WideText(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return file.Close();
}

std::optional<std::string> PlatformFileSystem::ReadFile(const std::string& path) {
  UniqueHandle file(CreateFileW(WideText(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  std::string text;
  char block[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), block, sizeof block, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    text.append(block, got);
  }
  return text;
}

bool PlatformFileSystem::FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WideText(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PlatformFileSystem::ReplaceWith(const std::string& from, const std::string& to) {
  return MoveFileExW(WideText(from).c_str(), WideText(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void PlatformFileSystem::RemoveFile(const std::string& path) {
  DeleteFileW(WideText(path).c_str());
}
