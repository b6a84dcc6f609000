// The user's folders on POSIX, from the environment (there is no registry).
#include <cstdlib>

#include "platform/Files.h"

namespace {
std::string EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}
}  // namespace

std::string PlatformUserFolders::RegistryAppDataFolder() {
  return EnvOrEmpty("APPDATA");
}

std::string PlatformUserFolders::KnownAppDataFolder() {
  std::string config = EnvOrEmpty("XDG_CONFIG_HOME");
  if (!config.empty()) return config;
  std::string home = EnvOrEmpty("HOME");
  return home.empty() ? std::string() : home + "/.config";
}

std::string PlatformUserFolders::DocumentsFolder() {
  std::string home = EnvOrEmpty("HOME");
  return home.empty() ? std::string() : home + "/Documents";
}
