// User folders that a test sets.
#pragma once

#include "core/SettingsPorts.h"

class FakeUserFolders : public UserFolders {
 public:
  std::filesystem::path RegistryAppDataFolder() override { return registry_app_data; }
  std::filesystem::path KnownAppDataFolder() override { return known_app_data; }
  std::filesystem::path DocumentsFolder() override { return documents; }

  std::filesystem::path registry_app_data;
  std::filesystem::path known_app_data;
  std::filesystem::path documents;
};
