// The common open and save dialogs. Texts are Windows-1251, paths the platform's own (UTF-16);
// the filter is a list of description|pattern pairs separated by "|". Neither dialog changes the
// current folder. Their library is loaded when a dialog is first shown.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <filesystem>
#include <string>

#include "core/Component.h"

class TFileDialog : public TComponent {
 public:
  using TComponent::TComponent;

  std::string Filter;
  int FilterIndex = 1;  // 1-based; 0 or out of range selects the first
  std::filesystem::path InitialDir;
  std::string DefaultExt;           // empty: no extension is added
  std::filesystem::path FileName;  // the chosen file's full path after Execute

 protected:
  // The platform's file-name buffer is large enough for any path the dialog returns.
  static constexpr size_t kFileNameBufferSize = 32768;

  // Shows the dialog through show (with every other window of the thread disabled meanwhile);
  // on the user's choice takes FileName and FilterIndex from it and returns true. A null show
  // (the dialogs' library is missing) raises shell_texts::kCannotLoadLibrary.
  bool Run(BOOL(WINAPI* show)(OPENFILENAMEW*), void* owner_window, DWORD options);

  friend class FileDialogRequest;
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

// What one showing of a dialog hands the platform, built from the dialog's properties; the
// buffers live as long as the request.
class FileDialogRequest {
 public:
  FileDialogRequest(const TFileDialog& dialog, HWND owner, DWORD options);
  FileDialogRequest(const FileDialogRequest&) = delete;
  FileDialogRequest& operator=(const FileDialogRequest&) = delete;

  OPENFILENAMEW& Native() { return native_; }
  // The path in the file-name buffer.
  std::filesystem::path ChosenFile() const;

  // "a|b|c|d" as the platform's list: every "|" a zero, and a second zero at the end.
  static std::wstring NativeFilter(const std::string& filter);

 private:
  std::wstring filter_;
  std::wstring initial_dir_;
  std::wstring default_ext_;
  std::wstring file_;
  OPENFILENAMEW native_{};
};
