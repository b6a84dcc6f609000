// Runs against the platform's profile functions: natively the portable reader and writer,
// under Wine the Windows ones, so the two are shown to agree on every case here.
#include "core/SettingsStore.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "fakes/FakeUserFolders.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

using Entries = std::vector<std::string>;

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() { folders.registry_app_data = dir.ProgramPath(); }

  void WriteIni(const std::string& text) { WriteBytes(dir.Native("zirk.ini"), text); }

  SettingsRecord SampleRecord() {
    SettingsRecord record;
    record.address = "example.org";
    record.port = 7;
    record.transport_index = 1;
    record.left = -20;
    record.top = 30;
    record.client_height = 480;
    record.client_width = 640;
    record.address_history = Entries{"a.example", "B.example"};
    record.message_history = Entries{cp1251::FromUtf8("привет"), "", "x y"};
    return record;
  }

  TempDir dir;
  FakeUserFolders folders;
  PlatformProfileFile profile;
  PlatformFileSystem files;
  SettingsStore store{folders, profile, files};
};

TEST_F(SettingsStoreTest, FirstRunGivesTheDefaults) {
  SettingsRecord record = store.Load();
  EXPECT_EQ(store.SettingsFolder(), dir.ProgramPath() + "\\");
  EXPECT_EQ(record.address, "localhost");
  EXPECT_EQ(record.port, 243);
  EXPECT_EQ(record.transport_index, 0);
  EXPECT_EQ(record.left, 150);
  EXPECT_EQ(record.top, 150);
  EXPECT_EQ(record.client_height, 417);
  EXPECT_EQ(record.client_width, 566);
  EXPECT_FALSE(record.address_history.has_value());
  EXPECT_FALSE(record.message_history.has_value());
}

TEST_F(SettingsStoreTest, SavesTheExactFiles) {
  store.Load();
  store.Save(SampleRecord());
  EXPECT_EQ(ReadBytes(dir.Native("zirk.ini")),
            "[last]\r\nadr=example.org\r\nport=7\r\ntype=1\r\n"
            "[mainform]\r\nleft=-20\r\ntop=30\r\nheight=480\r\nwidth=640\r\n");
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_adrs.ini")), "a.example\r\nB.example\r\n");
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_msgs.ini")), cp1251::FromUtf8("привет") + "\r\n\r\nx y\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.Native("ZIRK_adrs.ini.tmp")));
}

TEST_F(SettingsStoreTest, ReadsBackWhatItSaved) {
  store.Load();
  SettingsRecord saved = SampleRecord();
  store.Save(saved);
  SettingsStore again(folders, profile, files);
  SettingsRecord loaded = again.Load();
  EXPECT_EQ(loaded.address, saved.address);
  EXPECT_EQ(loaded.port, saved.port);
  EXPECT_EQ(loaded.transport_index, saved.transport_index);
  EXPECT_EQ(loaded.left, saved.left);
  EXPECT_EQ(loaded.top, saved.top);
  EXPECT_EQ(loaded.client_height, saved.client_height);
  EXPECT_EQ(loaded.client_width, saved.client_width);
  EXPECT_EQ(loaded.address_history, saved.address_history);
  EXPECT_EQ(loaded.message_history, saved.message_history);
}

TEST_F(SettingsStoreTest, ReadsIntegersByTheProgramsRule) {
  struct Row {
    std::string stored;
    int32_t port;
  };
  const Row rows[] = {
      {"500", 500},      {"0x1F4", 500},
      {"0X1f4", 500},    {"$1F4", 500},
      {"-7", -7},        {"+8", 8},
      {"abc", 243},      {"500abc", 243},
      {"0x", 243},       {"$", 243},
      {"", 243},         {" 12 ", 12},
      {"\"99\"", 99},    {"99999999999", 243},
      {"$FFFFFFFF", -1}, {"-2147483648", INT32_MIN},
      {"1.5", 243},
  };
  for (const Row& row : rows) {
    WriteIni("[last]\r\nport=" + row.stored + "\r\n");
    EXPECT_EQ(store.Load().port, row.port) << "stored \"" << row.stored << "\"";
  }
}

TEST_F(SettingsStoreTest, ReadsTextsWithoutBlanksAndQuotesAndNamesInAnyCase) {
  WriteIni("[LAST]\r\n  ADR =  \"  spaced host \"  \r\ntype=1\r\n[MainForm]\r\nWidth=700\r\n");
  SettingsRecord record = store.Load();
  EXPECT_EQ(record.address, "  spaced host ");
  EXPECT_EQ(record.transport_index, 1);
  EXPECT_EQ(record.client_width, 700);
  EXPECT_EQ(record.client_height, 417);
  WriteIni("[last]\r\nadr='single'\r\n");
  EXPECT_EQ(store.Load().address, "single");
  WriteIni("[last]\r\nadr=\r\n");
  EXPECT_EQ(store.Load().address, "");
}

TEST_F(SettingsStoreTest, ReadsAtMost2047BytesOfAText) {
  WriteIni("[last]\r\nadr=" + std::string(3000, 'h') + "\r\n");
  EXPECT_EQ(store.Load().address, std::string(2047, 'h'));
}

TEST_F(SettingsStoreTest, SplitsHistoryFilesAtEveryKindOfLineEnd) {
  struct Row {
    std::string file;
    Entries entries;
  };
  const Row rows[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\n\rb\n", {"a", "", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
      {std::string("\0a", 2), {}},
  };
  for (const Row& row : rows) {
    WriteBytes(dir.Native("ZIRK_adrs.ini"), row.file);
    SettingsRecord record = store.Load();
    ASSERT_TRUE(record.address_history.has_value());
    EXPECT_EQ(*record.address_history, row.entries) << "file \"" << row.file << "\"";
  }
}

TEST_F(SettingsStoreTest, RewritesLfHistoryWithCrLfAndEmptyListsAsEmptyFiles) {
  WriteBytes(dir.Native("ZIRK_adrs.ini"), "b\na\n");
  WriteBytes(dir.Native("ZIRK_msgs.ini"), "old\r\n");
  SettingsRecord record = store.Load();
  record.message_history = Entries{};
  store.Save(record);
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_adrs.ini")), "b\r\na\r\n");
  EXPECT_TRUE(std::filesystem::exists(dir.Native("ZIRK_msgs.ini")));
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_msgs.ini")), "");
}

TEST_F(SettingsStoreTest, UpdatesAnExistingSettingsFileInPlace) {
  WriteIni("[other]\r\nkeep=1\r\n[last]\r\nport=1\r\n");
  store.Load();
  store.Save(SampleRecord());
  EXPECT_EQ(ReadBytes(dir.Native("zirk.ini")),
            "[other]\r\nkeep=1\r\n[last]\r\nport=7\r\nadr=example.org\r\ntype=1\r\n"
            "[mainform]\r\nleft=-20\r\ntop=30\r\nheight=480\r\nwidth=640\r\n");
}

TEST_F(SettingsStoreTest, AnUnwritableSettingsFolderFailsWithTheSettingsFilesPath) {
  folders.registry_app_data = dir.ProgramPath() + "\\missing";
  store.Load();
  try {
    store.Save(SampleRecord());
    FAIL() << "no error";
  } catch (const EIniFileError& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + dir.ProgramPath() + "\\missing\\zirk.ini");
  }
}

TEST_F(SettingsStoreTest, AHistoryFileThatCannotBeCreatedFailsWithItsPathAndKeepsTheOldOne) {
  WriteBytes(dir.Native("ZIRK_adrs.ini"), "old\r\n");
  std::filesystem::create_directory(dir.Native("ZIRK_adrs.ini.tmp"));
  store.Load();
  try {
    store.Save(SampleRecord());
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + dir.ProgramPath() + "\\ZIRK_adrs.ini");
  }
  EXPECT_EQ(ReadBytes(dir.Native("ZIRK_adrs.ini")), "old\r\n");
  // The message history comes after the failure and is not written.
  EXPECT_FALSE(std::filesystem::exists(dir.Native("ZIRK_msgs.ini")));
}

TEST_F(SettingsStoreTest, AHistoryFileThatCannotBeOpenedFailsWithItsPath) {
  // A file system on which the message history exists but cannot be read.
  class UnreadableHistory : public FileSystem {
   public:
    explicit UnreadableHistory(FileSystem& real) : real_(real) {}
    bool WriteFile(const std::string& p, std::string_view b) override {
      return real_.WriteFile(p, b);
    }
    std::optional<std::string> ReadFile(const std::string& p) override {
      if (p.ends_with("ZIRK_msgs.ini")) return std::nullopt;
      return real_.ReadFile(p);
    }
    bool FileExists(const std::string& p) override {
      return p.ends_with("ZIRK_msgs.ini") || real_.FileExists(p);
    }
    bool ReplaceWith(const std::string& f, const std::string& t) override {
      return real_.ReplaceWith(f, t);
    }
    void RemoveFile(const std::string& p) override { real_.RemoveFile(p); }

   private:
    FileSystem& real_;
  } unreadable(files);
  SettingsStore broken(folders, profile, unreadable);
  try {
    broken.Load();
    FAIL() << "no error";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + dir.ProgramPath() + "\\ZIRK_msgs.ini");
  }
}

TEST_F(SettingsStoreTest, AFolderNamedLikeAHistoryFileCountsAsNoFile) {
  std::filesystem::create_directory(dir.Native("ZIRK_msgs.ini"));
  EXPECT_FALSE(store.Load().message_history.has_value());
}

TEST_F(SettingsStoreTest, WithoutTheRegistryValueThePlatformsFolderIsUsed) {
  TempDir known;
  folders.registry_app_data.clear();
  folders.known_app_data = known.ProgramPath();
  store.Load();
  EXPECT_EQ(store.SettingsFolder(), known.ProgramPath() + "\\");
  store.Save(SampleRecord());
  EXPECT_TRUE(std::filesystem::exists(known.Native("zirk.ini")));
}

TEST_F(SettingsStoreTest, WithoutAnyFolderTheRootIsUsed) {
  folders.registry_app_data.clear();
  folders.known_app_data.clear();
  store.Load();
  EXPECT_EQ(store.SettingsFolder(), "\\");
}

TEST_F(SettingsStoreTest, DocumentsFolderIsLookedUpEachTime) {
  folders.documents = "C:\\Users\\me\\Documents";
  EXPECT_EQ(store.DocumentsFolder(), "C:\\Users\\me\\Documents");
  folders.documents.clear();
  EXPECT_EQ(store.DocumentsFolder(), "");
}

}  // namespace
