// The settings store on the platform's files (in a folder whose name has letters outside
// Windows-1251 and outside the ANSI code page) and on files in memory with faults switched on.
#include "core/SettingsStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "fakes/FakeUserFolders.h"
#include "fakes/MemoryFiles.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

using Entries = std::vector<std::string>;
namespace fs = std::filesystem;

const char kSeparator = static_cast<char>(fs::path::preferred_separator);

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

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() {
    fs::create_directory(folder);
    folders.registry_app_data = folder;
  }

  fs::path File(const std::string& name) const { return folder / name; }
  void WriteIni(const std::string& text) { WriteBytes(File("zirk.ini"), text); }
  // How a message names the folder: "é" has no Windows-1251 letter.
  std::string Shown(const std::string& name) const {
    return dir.Path().string() + kSeparator + "Jos? " + cp1251::FromUtf8("Иван") + kSeparator +
           name;
  }

  TempDir dir;
  const fs::path folder = dir.Path() / u8"José Иван";
  FakeUserFolders folders;
  PlatformFileSystem files;
  SettingsStore store{folders, files};
};

TEST_F(SettingsStoreTest, FirstRunGivesTheDefaults) {
  SettingsRecord record = store.Load();
  EXPECT_NO_THROW(store.RaiseLoadFailure());
  EXPECT_EQ(store.SettingsFolder(), folder);
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

TEST_F(SettingsStoreTest, SavesTheExactFilesAndReadsThemBack) {
  store.Load();
  store.Save(SampleRecord());
  EXPECT_EQ(ReadBytes(File("zirk.ini")),
            "[last]\r\nadr=example.org\r\nport=7\r\ntype=1\r\n"
            "[mainform]\r\nleft=-20\r\ntop=30\r\nheight=480\r\nwidth=640\r\n");
  EXPECT_EQ(ReadBytes(File("ZIRK_adrs.ini")), "a.example\r\nB.example\r\n");
  EXPECT_EQ(ReadBytes(File("ZIRK_msgs.ini")), cp1251::FromUtf8("привет") + "\r\n\r\nx y\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3)
      << "no temporary file is left";
  SettingsStore again(folders, files);
  EXPECT_EQ(again.Load(), SampleRecord());
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
    WriteBytes(File("ZIRK_adrs.ini"), row.file);
    SettingsRecord record = store.Load();
    ASSERT_TRUE(record.address_history.has_value());
    EXPECT_EQ(*record.address_history, row.entries) << "file \"" << row.file << "\"";
  }
}

TEST_F(SettingsStoreTest, RewritesLfHistoryWithCrLfAndEmptyListsAsEmptyFiles) {
  WriteBytes(File("ZIRK_adrs.ini"), "b\na\n");
  WriteBytes(File("ZIRK_msgs.ini"), "old\r\n");
  SettingsRecord record = store.Load();
  record.message_history = Entries{};
  store.Save(record);
  EXPECT_EQ(ReadBytes(File("ZIRK_adrs.ini")), "b\r\na\r\n");
  EXPECT_TRUE(fs::exists(File("ZIRK_msgs.ini")));
  EXPECT_EQ(ReadBytes(File("ZIRK_msgs.ini")), "");
}

TEST_F(SettingsStoreTest, UpdatesAnExistingSettingsFileInPlace) {
  WriteIni("[other]\r\nkeep=1\r\n[last]\r\nport=1\r\n");
  store.Load();
  store.Save(SampleRecord());
  EXPECT_EQ(ReadBytes(File("zirk.ini")),
            "[other]\r\nkeep=1\r\n[last]\r\nport=7\r\nadr=example.org\r\ntype=1\r\n"
            "[mainform]\r\nleft=-20\r\ntop=30\r\nheight=480\r\nwidth=640\r\n");
}

TEST_F(SettingsStoreTest, AMissingFolderFailsWithTheSettingsFilesName) {
  folders.registry_app_data = folder / "missing";
  store.Load();
  try {
    store.Save(SampleRecord());
    FAIL() << "no error";
  } catch (const EIniFileError& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + Shown("missing") + kSeparator + "zirk.ini");
  }
}

// A folder where one of the files should be: the file counts as missing at start; at exit the
// writes stop at it with its error, and the files before it are written.
TEST_F(SettingsStoreTest, AFolderWhereAFileShouldBe) {
  struct Row {
    std::string name;
    std::string message;
    int files_written;
  };
  const Row rows[] = {
      {"zirk.ini", "Unable to write to ", 0},
      {"ZIRK_adrs.ini", "Cannot create file ", 1},
      {"ZIRK_msgs.ini", "Cannot create file ", 2},
  };
  const std::string names[] = {"zirk.ini", "ZIRK_adrs.ini", "ZIRK_msgs.ini"};
  for (const Row& row : rows) {
    fs::remove_all(folder);
    fs::create_directories(File(row.name));
    const SettingsRecord loaded = store.Load();
    EXPECT_NO_THROW(store.RaiseLoadFailure()) << row.name;
    EXPECT_EQ(loaded.port, 243) << row.name;
    EXPECT_FALSE(loaded.address_history || loaded.message_history) << row.name;
    try {
      store.Save(SampleRecord());
      ADD_FAILURE() << "no error for " << row.name;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), row.message + Shown(row.name)) << row.name;
    }
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(fs::is_regular_file(File(names[i])), i < row.files_written) << row.name;
    }
    EXPECT_FALSE(fs::exists(File(row.name + ".tmp"))) << row.name;
  }
}

TEST_F(SettingsStoreTest, WithoutTheRegistryValueThePlatformsFolderIsUsed) {
  TempDir known;
  folders.registry_app_data.clear();
  folders.known_app_data = known.Path();
  store.Load();
  EXPECT_EQ(store.SettingsFolder(), known.Path());
  store.Save(SampleRecord());
  EXPECT_TRUE(fs::exists(known.Native("zirk.ini")));
}

TEST_F(SettingsStoreTest, WithoutAnyFolderTheRootIsUsed) {
  folders.registry_app_data.clear();
  folders.known_app_data.clear();
  store.Load();
  EXPECT_EQ(store.SettingsFolder(), fs::path("/").make_preferred());
}

TEST_F(SettingsStoreTest, DocumentsFolderIsLookedUpEachTime) {
  folders.documents = fs::path(u8"C:\\Users\\José\\Documents");
  EXPECT_EQ(store.DocumentsFolder(), fs::path(u8"C:\\Users\\José\\Documents"));
  folders.documents.clear();
  EXPECT_EQ(store.DocumentsFolder(), fs::path());
}

// Whatever bytes the files hold, the start goes on and the exit stores a usable record.
TEST_F(SettingsStoreTest, RandomBytesAsEachFile) {
  std::mt19937 random(7);
  for (const std::string name : {"zirk.ini", "ZIRK_adrs.ini", "ZIRK_msgs.ini"}) {
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    WriteBytes(File(name), bytes);
  }
  SettingsRecord loaded = store.Load();
  EXPECT_NO_THROW(store.RaiseLoadFailure());
  ASSERT_TRUE(loaded.address_history && loaded.message_history);
  store.Save(loaded);
  SettingsStore again(folders, files);
  const SettingsRecord reloaded = again.Load();
  EXPECT_EQ(reloaded.port, loaded.port);
  EXPECT_EQ(reloaded.client_width, loaded.client_width);
  EXPECT_EQ(reloaded.address_history, loaded.address_history);
  EXPECT_EQ(reloaded.message_history, loaded.message_history);
}

// A 64 MiB "zirk.ini" and a history of 100,000 entries load and are stored again; files over the
// size limits (a 256 MiB settings or history file) cannot be read: they are shown at start and
// kept at exit.
TEST_F(SettingsStoreTest, HugeFilesLoadOrFailAsUnreadable) {
  const size_t size = size_t{64} << 20;
  const std::string filler = "padding=" + std::string(90, 'p') + "\r\n";
  std::string ini;
  ini.reserve(size);
  while (ini.size() + filler.size() <= size - 64) ini += filler;
  ini += "[last]\r\nport=77\r\n";
  ini += std::string(size - 2 - ini.size(), ' ') + "\r\n";
  WriteBytes(File("zirk.ini"), ini);
  { std::ofstream created(File("ZIRK_adrs.ini"), std::ios::binary); }
  fs::resize_file(File("ZIRK_adrs.ini"), uintmax_t{256} << 20);
  std::string many;
  for (size_t i = 0; i < 100'000; ++i) many += "m\r\n";
  WriteBytes(File("ZIRK_msgs.ini"), many);

  SettingsRecord loaded = store.Load();
  EXPECT_EQ(loaded.port, 77);
  EXPECT_FALSE(loaded.address_history);
  ASSERT_TRUE(loaded.message_history);
  EXPECT_EQ(loaded.message_history->size(), 100'000u);
  EXPECT_THROW(store.RaiseLoadFailure(), EFOpenError);
  SettingsRecord record = SampleRecord();
  record.message_history = loaded.message_history;
  record.message_history->push_back("n");
  store.Save(record);
  EXPECT_EQ(fs::file_size(File("ZIRK_adrs.ini")), uintmax_t{256} << 20);
  EXPECT_EQ(ReadBytes(File("ZIRK_msgs.ini")), many + "n\r\n");
  EXPECT_EQ(SettingsStore(folders, files).Load().port, 7);

  fs::resize_file(File("zirk.ini"), uintmax_t{256} << 20);
  EXPECT_EQ(store.Load().port, 243);
  try {
    store.RaiseLoadFailure();
    ADD_FAILURE() << "no error";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + Shown("zirk.ini"));
  }
}

// --- files in memory ----------------------------------------------------------------------------

class SettingsStoreFaultTest : public ::testing::Test {
 protected:
  SettingsStoreFaultTest() { folders.registry_app_data = folder; }

  fs::path File(const std::string& name) const { return folder / name; }
  // What a first run stores: the three files the later runs find.
  void StoreOldFiles() {
    SettingsRecord old = SampleRecord();
    old.address = "old.example";
    old.address_history = Entries{"old address"};
    old.message_history = Entries{"old message"};
    SettingsStore first(folders, files);
    first.Save(old);
    old_files = files.files;
    old_record = old;
  }

  const fs::path folder = fs::path("settings");
  FakeUserFolders folders;
  MemoryFiles files;
  SettingsStore store{folders, files};
  std::map<fs::path, std::string> old_files;
  SettingsRecord old_record;
};

// Held open by a backup or sync tool, or denied: the file's error is shown once, everything else
// is read, and at exit that file is not written over while the others are.
TEST_F(SettingsStoreFaultTest, AFileThatCannotBeReadAtStartIsShownOnceAndKept) {
  for (const std::string name : {"zirk.ini", "ZIRK_adrs.ini", "ZIRK_msgs.ini"}) {
    files = MemoryFiles();
    StoreOldFiles();
    files.unreadable = {File(name)};
    SettingsRecord loaded = store.Load();
    SettingsRecord expected = old_record;
    if (name == "zirk.ini") {
      expected.address = "localhost";
      expected.port = 243;
      expected.transport_index = 0;
      expected.left = expected.top = 150;
      expected.client_height = 417;
      expected.client_width = 566;
    }
    if (name == "ZIRK_adrs.ini") expected.address_history.reset();
    if (name == "ZIRK_msgs.ini") expected.message_history.reset();
    EXPECT_EQ(loaded, expected) << name;
    try {
      store.RaiseLoadFailure();
      ADD_FAILURE() << "no error for " << name;
    } catch (const EFOpenError& e) {
      EXPECT_EQ(e.Message(), "Cannot open file settings" + std::string(1, kSeparator) + name);
    }

    files.unreadable.clear();
    SettingsRecord changed = SampleRecord();
    store.Save(changed);
    EXPECT_EQ(files.files[File(name)], old_files[File(name)]) << name << " is kept";
    for (const std::string other : {"zirk.ini", "ZIRK_adrs.ini", "ZIRK_msgs.ini"}) {
      if (other != name) {
        EXPECT_NE(files.files[File(other)], old_files[File(other)]) << other;
      }
    }
  }
}

// A disk that fills at each of the three writes: one error, the writes after it not done, every
// old file whole, no temporary file left, and the next start gets a usable record.
TEST_F(SettingsStoreFaultTest, AFullDiskFailsOnceAndKeepsTheOldFiles) {
  struct Row {
    std::string failing;
    std::string message;
  };
  const Row rows[] = {
      {"zirk.ini", "Unable to write to "},
      {"ZIRK_adrs.ini", "Cannot create file "},
      {"ZIRK_msgs.ini", "Cannot create file "},
  };
  SettingsRecord large = SampleRecord();
  large.address_history = Entries(200, std::string(100, 'a'));
  large.message_history = Entries(200, std::string(100, 'm'));
  for (const Row& row : rows) {
    files = MemoryFiles();
    StoreOldFiles();
    // Room for the new files up to the failing one, and for half of that one.
    MemoryFiles measure = files;
    SettingsStore(folders, measure).Save(large);
    size_t room = files.Used();
    for (const std::string name : {"zirk.ini", "ZIRK_adrs.ini", "ZIRK_msgs.ini"}) {
      const size_t new_size = measure.files[File(name)].size();
      if (name == row.failing) {
        room += new_size / 2;
        break;
      }
      room += new_size - old_files[File(name)].size();
    }
    files.capacity = room;
    store.Load();
    try {
      store.Save(large);
      ADD_FAILURE() << "no error at " << row.failing;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), row.message + "settings" + kSeparator + row.failing);
    }
    bool before = true;
    for (const std::string name : {"zirk.ini", "ZIRK_adrs.ini", "ZIRK_msgs.ini"}) {
      if (name == row.failing) before = false;
      const std::string& expected = before ? measure.files[File(name)] : old_files[File(name)];
      EXPECT_EQ(files.files[File(name)], expected) << name << " after a failure at " << row.failing;
      EXPECT_FALSE(files.files.count(File(name + ".tmp"))) << name;
    }
    files.capacity.reset();
    SettingsStore next(folders, files);
    const SettingsRecord next_start = next.Load();
    EXPECT_NO_THROW(next.RaiseLoadFailure());
    EXPECT_EQ(next_start.address, row.failing == "zirk.ini" ? "old.example" : "example.org");
  }
}

// Any record the format can carry comes back as it was: texts without CR, LF or NUL bytes, an
// address without blanks around it or a pair of enclosing quotes, and of at most 2047 bytes.
TEST_F(SettingsStoreFaultTest, RandomRecordsComeBackAsTheyWere) {
  std::mt19937 random(20240611);
  const auto text = [&random](size_t max_size) {
    std::string text(std::uniform_int_distribution<size_t>(0, max_size)(random), 'x');
    for (char& c : text) {
      do c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
      while (c == '\r' || c == '\n');
    }
    return text;
  };
  const auto number = [&random] {
    return static_cast<int32_t>(std::uniform_int_distribution<uint32_t>()(random));
  };
  const auto list = [&] {
    Entries entries(std::uniform_int_distribution<size_t>(0, 8)(random));
    for (std::string& entry : entries) entry = text(random() % 16 == 0 ? 4095 : 60);
    return entries;
  };
  const std::string blanks = " \t\v\f\x1A";
  for (int i = 0; i < 10'000; ++i) {
    SettingsRecord record;
    do record.address = text(random() % 8 == 0 ? 2047 : 40);
    while (!record.address.empty() &&
           (blanks.find(record.address.front()) != std::string::npos ||
            blanks.find(record.address.back()) != std::string::npos ||
            (record.address.size() >= 2 && record.address.front() == record.address.back() &&
             (record.address.front() == '"' || record.address.front() == '\''))));
    record.port = number();
    record.transport_index = number();
    record.left = number();
    record.top = number();
    record.client_height = number();
    record.client_width = number();
    record.address_history = list();
    record.message_history = list();
    store.Save(record);
    ASSERT_EQ(store.Load(), record) << "record " << i;
  }
}

}  // namespace
