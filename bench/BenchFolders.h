// User folders that all name one folder, for measuring programs that keep their settings
// in a scratch folder of their own.
#pragma once

#include <string>

#include "core/SettingsPorts.h"

class BenchFolders : public UserFolders {
 public:
  explicit BenchFolders(std::string folder) : folder_(std::move(folder)) {}
  std::string RegistryAppDataFolder() override { return folder_; }
  std::string KnownAppDataFolder() override { return folder_; }
  std::string DocumentsFolder() override { return folder_; }

 private:
  std::string folder_;
};
