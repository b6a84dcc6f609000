// The open and save dialogs: what they hand the platform, and the real dialogs answered from a
// timer, which proves that Execute returns the path typed into them.
#include "shell/controls/FileDialogs.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/framework/Timer.h"
#include "support/TempDir.h"
#include "win32/UiTestSupport.h"

namespace {

using namespace std::string_literals;

const std::string& kSaveFilter = shell_texts::kSaveFilter;

std::wstring Listed(const wchar_t* native) {
  // Up to and including the double zero.
  std::wstring listed;
  while (native[0] || native[1]) listed.push_back(*native++);
  return listed;
}

TEST(FileDialogRequest, TurnsTheFilterIntoThePlatformsList) {
  EXPECT_EQ(FileDialogRequest::NativeFilter(""), L"");
  const std::wstring one = FileDialogRequest::NativeFilter("All|*.*");
  EXPECT_EQ(one, L"All\0*.*\0"s);
  EXPECT_EQ(one.c_str()[one.size()], L'\0');
  EXPECT_EQ(
      FileDialogRequest::NativeFilter(kSaveFilter),
      L"\u0422\u0435\u043A\u0441\u0442\u043E\u0432\u044B\u0435 \u0444\u0430\u0439\u043B\u044B "
      L"(*.txt)\0*.txt\0\u0424\u0430\u0439\u043B\u044B \u043B\u043E\u0433\u043E\u0432 "
      L"(*.log)\0*.log\0\u0412\u0441\u0435 \u0444\u0430\u0439\u043B\u044B (*.*)\0*.*\0"s);
}

TEST(FileDialogRequest, CarriesTheDialogsPropertiesAndOptions) {
  TSaveDialog dialog;
  dialog.Filter = kSaveFilter;
  dialog.InitialDir = std::filesystem::path(u8"C:\\users\\José Иван\\Documents");
  FileDialogRequest request(dialog, nullptr, OFN_OVERWRITEPROMPT);
  const OPENFILENAMEW& native = request.Native();
  EXPECT_EQ(native.lStructSize, sizeof(OPENFILENAMEW));
  EXPECT_EQ(Listed(native.lpstrFilter).size(),
            FileDialogRequest::NativeFilter(kSaveFilter).size() - 1);
  EXPECT_EQ(native.nFilterIndex, 1u);
  EXPECT_EQ(std::wstring(native.lpstrInitialDir),
            L"C:\\users\\Jos\u00E9 \u0418\u0432\u0430\u043D\\Documents");
  EXPECT_EQ(native.lpstrDefExt, nullptr);
  EXPECT_EQ(native.lpstrFile[0], L'\0');
  EXPECT_GE(native.nMaxFile, 32768u);
  EXPECT_TRUE(native.Flags & OFN_NOCHANGEDIR);
  EXPECT_TRUE(native.Flags & OFN_EXPLORER);
  EXPECT_TRUE(native.Flags & OFN_OVERWRITEPROMPT);
  EXPECT_FALSE(native.Flags & (OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT));

  // The filter index counts the pairs from 1; outside them the first is chosen.
  const struct {
    int index;
    DWORD native;
  } cases[] = {{1, 1}, {2, 2}, {3, 3}, {4, 1}, {0, 1}, {-2, 1}};
  for (const auto& c : cases) {
    dialog.FilterIndex = c.index;
    EXPECT_EQ(FileDialogRequest(dialog, nullptr, 0).Native().nFilterIndex, c.native) << c.index;
  }
  TOpenDialog open;
  FileDialogRequest no_filter(open, nullptr, 0);
  EXPECT_EQ(no_filter.Native().lpstrFilter, nullptr);
  EXPECT_EQ(no_filter.Native().lpstrInitialDir, nullptr);
  open.DefaultExt = "txt";
  open.FileName = "start.txt";
  FileDialogRequest with_extension(open, nullptr, 0);
  EXPECT_EQ(std::wstring(with_extension.Native().lpstrDefExt), L"txt");
  EXPECT_EQ(std::wstring(with_extension.Native().lpstrFile), L"start.txt");
  EXPECT_EQ(with_extension.ChosenFile(), std::filesystem::path("start.txt"));
}

// A dialog whose library could not be loaded.
class DialogWithoutLibrary : public TOpenDialog {
 public:
  bool Execute() { return Run(nullptr, nullptr, 0); }
};

TEST(FileDialogs, AMissingLibraryIsAnErrorThatNamesIt) {
  DialogWithoutLibrary dialog;
  try {
    dialog.Execute();
    ADD_FAILURE() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), shell_texts::kCannotLoadLibrary + "comdlg32.dll");
  }
}

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

// Types path into the first file dialog of this thread that shows up and presses OK; or
// presses Cancel when path is empty.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::filesystem::path path) : path_(std::move(path)) {
    timer_.SetInterval(50);
    timer_.OnTimer = [this](TObject*) { Answer(); };
  }
  bool answered = false;

 private:
  void Answer() {
    if (answered) return;
    for (HWND box : ErrorBoxWatcher::OpenBoxes()) {
      // The explorer-style name field is a combo box on some systems, an edit on others.
      HWND name = GetDlgItem(box, 0x47C);
      if (!name) name = GetDlgItem(box, 0x480);
      if (!name) continue;
      answered = true;
      if (path_.empty()) {
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
      } else {
        SetWindowTextW(name, path_.c_str());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      return;
    }
  }

  std::filesystem::path path_;
  TTimer timer_;
};

TEST(FileDialogs, TheSaveDialogReturnsThePathTypedWithoutChangingTheCurrentFolder) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.Show();
  TempDir folder;
  const std::wstring before = CurrentFolder();
  // A name outside Windows-1251 and outside the ANSI code page comes back as typed.
  const std::filesystem::path path = folder.Path() / u8"José журнал.log";
  TSaveDialog dialog;
  dialog.Filter = kSaveFilter;
  dialog.InitialDir = folder.Path();
  DialogAnswerer answerer(path);
  ASSERT_TRUE(dialog.Execute(form.Handle()));
  EXPECT_TRUE(answerer.answered);
  // As typed: no extension added and no question about an existing file.
  EXPECT_EQ(dialog.FileName, path);
  EXPECT_EQ(dialog.FilterIndex, 1);
  EXPECT_EQ(CurrentFolder(), before);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
}

TEST(FileDialogs, TheOpenDialogReturnsTheChosenFileOrNothingWhenCancelled) {
  TApplication app;
  TForm& form = *app.CreateForm<TForm>();
  form.Show();
  TempDir folder;
  WriteBytes(folder.Native("notes.txt"), "x");
  TOpenDialog dialog;
  {
    DialogAnswerer answerer(folder.Native("notes.txt"));
    ASSERT_TRUE(dialog.Execute(form.Handle()));
  }
  EXPECT_EQ(dialog.FileName, folder.Native("notes.txt"));
  {
    DialogAnswerer answerer("");
    EXPECT_FALSE(dialog.Execute(form.Handle()));
    EXPECT_TRUE(answerer.answered);
  }
  EXPECT_EQ(dialog.FileName, folder.Native("notes.txt"));
}

}  // namespace
