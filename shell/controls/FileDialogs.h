// The common open and save dialogs. Texts are Windows-1251; the filter is a list of
// description|pattern pairs separated by "|".
#pragma once

#include <string>

#include "core/Component.h"

class TFileDialog : public TComponent {
 public:
  using TComponent::TComponent;

  std::string Filter;
  int FilterIndex = 1;  // 1-based; 0 or out of range selects the first
  std::string InitialDir;
  std::string DefaultExt;  // empty: no extension is added
  std::string FileName;    // the chosen file's full path after Execute

 protected:
  // The platform's file-name buffer is large enough for any path the dialog returns.
  static constexpr size_t kFileNameBufferSize = 32768;
};

class TOpenDialog : public TFileDialog {
 public:
  using TFileDialog::TFileDialog;
  // Shows the dialog (modal to owner); true when the user chose a file.
  bool Execute(void* owner_window);
};

class TSaveDialog : public TFileDialog {
 public:
  using TFileDialog::TFileDialog;
  bool OverwritePrompt = false;
  bool Execute(void* owner_window);
};
