#include "shell/controls/FileDialogs.h"

#include <algorithm>

#include "core/Errors.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "shell/framework/ModalWindows.h"

namespace {
// Always: the current folder is left alone, the read-only box is hidden, the dialog resizes.
constexpr DWORD kCommonOptions =
    OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_ENABLESIZING;

constexpr const wchar_t* kDialogsLibrary = L"comdlg32.dll";
}  // namespace

std::wstring FileDialogRequest::NativeFilter(const std::string& filter) {
  if (filter.empty()) return {};
  std::wstring native = WideText(filter);
  for (wchar_t& ch : native) {
    if (ch == L'|') ch = L'\0';
  }
  native.push_back(L'\0');
  // The std::wstring's own terminator is the final zero of the pair.
  return native;
}

FileDialogRequest::FileDialogRequest(const TFileDialog& dialog, HWND owner, DWORD options)
    : filter_(NativeFilter(dialog.Filter)),
      initial_dir_(dialog.InitialDir.wstring()),
      default_ext_(WideText(dialog.DefaultExt)),
      file_(dialog.FileName.wstring()) {
  file_.resize(TFileDialog::kFileNameBufferSize, L'\0');
  native_.lStructSize = sizeof native_;
  native_.hwndOwner = owner;
  native_.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
  // Pairs in the filter: the index counts them from 1.
  const auto pairs = static_cast<int>(std::count(filter_.begin(), filter_.end(), L'\0') / 2);
  native_.nFilterIndex =
      dialog.FilterIndex >= 1 && dialog.FilterIndex <= pairs ? dialog.FilterIndex : 1;
  native_.lpstrFile = file_.data();
  native_.nMaxFile = static_cast<DWORD>(file_.size());
  native_.lpstrInitialDir = initial_dir_.empty() ? nullptr : initial_dir_.c_str();
  native_.lpstrDefExt = default_ext_.empty() ? nullptr : default_ext_.c_str();
  native_.Flags = kCommonOptions | options;
}

std::filesystem::path FileDialogRequest::ChosenFile() const {
  return std::filesystem::path(file_.c_str());
}

bool TFileDialog::Run(BOOL(WINAPI* show)(OPENFILENAMEW*), void* owner_window, DWORD options) {
  if (!show) throw Exception(shell_texts::kCannotLoadLibrary + NarrowText(kDialogsLibrary));
  FileDialogRequest request(*this, static_cast<HWND>(owner_window), options);
  HWND active = GetActiveWindow();
  ThreadWindowsDisabled others;
  const bool chosen = show(&request.Native()) != FALSE;
  others.EnableAgain();
  if (active && IsWindow(active)) SetActiveWindow(active);
  if (!chosen) return false;
  FileName = request.ChosenFile();
  FilterIndex = static_cast<int>(request.Native().nFilterIndex);
  return true;
}

bool TOpenDialog::Execute(void* owner_window) {
  static const auto show =
      SystemFunction<decltype(::GetOpenFileNameW)>(kDialogsLibrary, "GetOpenFileNameW");
  return Run(show, owner_window, 0);
}

bool TSaveDialog::Execute(void* owner_window) {
  static const auto show =
      SystemFunction<decltype(::GetSaveFileNameW)>(kDialogsLibrary, "GetSaveFileNameW");
  return Run(show, owner_window, OverwritePrompt ? OFN_OVERWRITEPROMPT : 0);
}
