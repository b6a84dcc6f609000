// User folders that all name one folder, for measuring programs that keep their settings
// in a scratch folder of their own.
#pragma once

#include <filesystem>

#include "core/SettingsPorts.h"

class BenchFolders : public UserFolders {
 public:
  explicit BenchFolders(std::filesystem::path folder) : folder_(std::move(folder)) {}
  std::filesystem::path RegistryAppDataFolder() override { return folder_; }
  std::filesystem::path KnownAppDataFolder() override { return folder_; }
  std::filesystem::path DocumentsFolder() override { return folder_; }

 private:
  std::filesystem::path folder_;
};
