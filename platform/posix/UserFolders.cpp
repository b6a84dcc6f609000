// The user's folders on POSIX, from the environment (there is no registry).
#include <cstdlib>

#include "platform/Files.h"

namespace {
std::filesystem::path EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::filesystem::path(value) : std::filesystem::path();
}
}  // namespace

std::filesystem::path PlatformUserFolders::RegistryAppDataFolder() {
  return EnvOrEmpty("APPDATA");
}

std::filesystem::path PlatformUserFolders::KnownAppDataFolder() {
  std::filesystem::path config = EnvOrEmpty("XDG_CONFIG_HOME");
  if (!config.empty()) return config;
  std::filesystem::path home = EnvOrEmpty("HOME");
  return home.empty() ? home : home / ".config";
}

std::filesystem::path PlatformUserFolders::DocumentsFolder() {
  std::filesystem::path home = EnvOrEmpty("HOME");
  return home.empty() ? home : home / "Documents";
}
