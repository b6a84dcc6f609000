// The profile functions of the platform. Their A forms take the path in the system's code
// page, so the Windows-1251 path is converted to it through UTF-16; section, key and value
// bytes pass unchanged.
#include <windows.h>

#include <vector>

#include "platform/Files.h"
#include "platform/win32/WideText.h"

namespace {

constexpr DWORD kReadBufferSize = 2048;

std::string SystemCodePagePath(const std::string& path) {
  std::wstring wide = WideText(path);
  int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return path;
  std::string converted(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, converted.data(), size, nullptr, nullptr);
  converted.resize(static_cast<size_t>(size - 1));
  return converted;
}

}  // namespace

std::string PlatformProfileFile::ReadString(const std::string& path, const std::string& section,
                                            const std::string& key, const std::string& fallback) {
  std::vector<char> buffer(kReadBufferSize, '\0');
  DWORD length =
      GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                               kReadBufferSize, SystemCodePagePath(path).c_str());
  return std::string(buffer.data(), length);
}

bool PlatformProfileFile::WriteString(const std::string& path, const std::string& section,
                                      const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                    SystemCodePagePath(path).c_str()) != 0;
}
