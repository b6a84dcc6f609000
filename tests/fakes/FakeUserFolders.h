// User folders that a test sets.
#pragma once

#include "core/SettingsPorts.h"

class FakeUserFolders : public UserFolders {
 public:
  std::string RegistryAppDataFolder() override { return registry_app_data; }
  std::string KnownAppDataFolder() override { return known_app_data; }
  std::string DocumentsFolder() override { return documents; }

  std::string registry_app_data;
  std::string known_app_data;
  std::string documents;
};
