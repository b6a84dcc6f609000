// The main window's settings in a real user's world: the session ending with the program
// running, a history file held open by another program at start, a long history, a stored place
// on no monitor.
#include <windows.h>

#include "core/PathText.h"
#include "platform/win32/Handle.h"
#include "win32/MainWindowFixture.h"

namespace {

BOOL CALLBACK AddWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

// As the system does at logoff, shutdown or restart: every top-level window of the program is
// asked, then told whether the session ends (it does not when another program refused).
void EndSession(bool ending) {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), &AddWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    EXPECT_TRUE(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  }
  for (HWND window : windows) SendMessageW(window, WM_ENDSESSION, ending, ENDSESSION_LOGOFF);
}

class MainWindowSettingsTest : public MainWindowTest {
 protected:
  MainWindowSettingsTest() {
    app.ExceptionHook = [this](TObject*, const Exception& e) { errors.push_back(e.Message()); };
  }
  std::string Ini() { return ReadBytes(dir.Native("zirk.ini")); }

  std::vector<std::string> errors;
};

TEST_F(MainWindowSettingsTest, TheSessionsEndStoresTheRecordOnceAndALaterExitAgain) {
  Create();
  form->ADRL.SetText("session.example");
  form->MSG.History().AddUnique("typed");
  form->SetBounds(30, 40, 600, 300);
  EndSession(false);
  EXPECT_FALSE(std::filesystem::exists(dir.Native("zirk.ini"))) << "a cancelled end stores nothing";
  EndSession(true);
  EXPECT_EQ(Ini(),
            "[last]\r\nadr=session.example\r\nport=243\r\ntype=0\r\n"
            "[mainform]\r\nleft=30\r\ntop=40\r\nheight=300\r\nwidth=600\r\n");
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_msgs.ini")), "typed\r\n");
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_adrs.ini")), "");
  EXPECT_TRUE(errors.empty());

  // Where nothing can be stored, the one store shows one error.
  std::filesystem::remove(dir.Native("zirk.ini"));
  std::filesystem::create_directory(dir.Native("zirk.ini"));
  EndSession(true);
  EXPECT_EQ(errors,
            std::vector<std::string>{"Unable to write to " + PathText(dir.Native("zirk.ini"))});
  std::filesystem::remove(dir.Native("zirk.ini"));

  form->ADRL.SetText("later.example");
  app.DestroyForms();
  EXPECT_NE(Ini().find("adr=later.example\r\n"), std::string::npos) << Ini();
}

TEST_F(MainWindowSettingsTest, AHistoryFileHeldOpenAtStartIsShownOnceAndKept) {
  WriteBytes(dir.Native("zirk.ini"), "[last]\r\nadr=stored.example\r\nport=4321\r\n");
  WriteBytes(dir.Native("ZIRK_adrs.ini"), "kept.example\r\n");
  WriteBytes(dir.Native("ZIRK_msgs.ini"), "hello\r\n");
  {
    // Another program holds the file open and shares it with nobody.
    UniqueHandle held(CreateFileW(dir.Native("ZIRK_adrs.ini").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.valid());
    Create();
  }
  EXPECT_EQ(errors,
            std::vector<std::string>{"Cannot open file " + PathText(dir.Native("ZIRK_adrs.ini"))});
  EXPECT_EQ(form->ADRL.Text(), "stored.example");
  EXPECT_EQ(form->PortED.Value(), 4321);
  EXPECT_EQ(form->MSG.History().Entries(), std::vector<std::string>{"hello"});
  form->ADRL.History().AddUnique("new.example");
  form->MSG.History().AddUnique("new");
  app.DestroyForms();
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_adrs.ini")), "kept.example\r\n");
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_msgs.ini")), "hello\r\nnew\r\n");
  EXPECT_NE(Ini().find("adr=stored.example\r\nport=4321\r\n"), std::string::npos) << Ini();
}

// A heavy user's history loads whole, however long, and what the run adds is stored with it.
TEST_F(MainWindowSettingsTest, AHistoryOfAnyLengthLoadsAndIsStoredWithWhatTheRunAdded) {
  std::string file;
  for (int i = 99'999; i >= 0; --i) file += "entry " + std::to_string(i) + "\r\n";
  WriteBytes(dir.Native("ZIRK_msgs.ini"), file);
  Create();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(form->MSG.History().Size(), 100'000u);
  form->MSG.SetText("entry 99998");
  PressKey(KeyTarget(form->MSG), VK_DOWN);
  EXPECT_EQ(form->MSG.Text(), "entry 99999");
  form->MSG.History().AddUnique("new");
  app.DestroyForms();
  const std::string stored = ReadBytes(dir.Native("ZIRK_msgs.ini"));
  EXPECT_EQ(stored.size(), file.size() + 5);
  EXPECT_TRUE(stored.starts_with("entry 0\r\nentry 1\r\nentry 10\r\n"));
  EXPECT_TRUE(stored.ends_with("entry 99999\r\nnew\r\n"));
}

TEST_F(MainWindowSettingsTest, AStoredPlaceOnNoMonitorOpensOnTheScreen) {
  Create();
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  struct Row {
    int left, top;
    int expected_left, expected_top;
  };
  const Row rows[] = {
      {200, 100, 200, 100},
      {static_cast<int>(work.right) - 100, static_cast<int>(work.bottom) - 50,
       static_cast<int>(work.right) - 100, static_cast<int>(work.bottom) - 50},
      {5000, 4000, static_cast<int>(work.right) - 566, static_cast<int>(work.bottom) - 417},
      {-3000, -2000, static_cast<int>(work.left), static_cast<int>(work.top)},
  };
  for (const Row& row : rows) {
    SettingsRecord record = form->BuildSettingsRecord();
    record.left = row.left;
    record.top = row.top;
    record.client_width = 566;
    record.client_height = 417;
    form->ApplySettings(record);
    EXPECT_EQ(form->Left(), row.expected_left) << row.left << "," << row.top;
    EXPECT_EQ(form->Top(), row.expected_top) << row.left << "," << row.top;
    EXPECT_EQ(form->ClientWidth(), 566);
    EXPECT_EQ(form->ClientHeight(), 417);
  }
}

}  // namespace
