#include "shell/Dir.h"

#include "core/SettingsStore.h"

std::string TDir::DocumentsFolder() {
  return settings_.DocumentsFolder();
}
