#include "shell/Dir.h"

#include "core/SettingsStore.h"

std::filesystem::path TDir::DocumentsFolder() {
  return settings_.DocumentsFolder();
}
