// TDir: the documents-folder lookup on the main window, asked afresh before each save.
#pragma once

#include <filesystem>

#include "core/Component.h"

class SettingsStore;

class TDir : public TComponent {
 public:
  TDir(TComponent* owner, SettingsStore& settings) : TComponent(owner), settings_(settings) {}
  // The user's documents folder, or empty when the registry does not name one.
  std::filesystem::path DocumentsFolder();

 private:
  SettingsStore& settings_;
};
