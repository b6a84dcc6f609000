// The settings store on real file-system faults: a folder made immutable (what a read-only
// settings folder is to a process running as root) and a small, full tmpfs. Both need privileges
// (CAP_LINUX_IMMUTABLE, CAP_SYS_ADMIN); without them the test says so and is skipped, and the same
// paths are covered by the fault-injecting files of SettingsStoreFaultTest.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/SettingsStore.h"
#include "fakes/FakeUserFolders.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

bool SetImmutable(const fs::path& folder, bool immutable) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  ::close(fd);
  return ok;
}

class SettingsDiskTest : public ::testing::Test {
 protected:
  SettingsDiskTest() {
    fs::create_directory(folder);
    folders.registry_app_data = folder;
  }

  SettingsRecord Record(const std::string& address, size_t history_size) {
    SettingsRecord record;
    record.address = address;
    record.port = 7;
    record.address_history = Entries(history_size, std::string(100, 'a'));
    record.message_history = Entries(history_size, std::string(100, 'm'));
    return record;
  }

  // Saves old and then new, expecting exactly one error with the message; afterwards the files
  // from the failing one on hold what old stored, and the next start reads a usable record.
  void ExpectOneFailureKeepingTheOldFiles(const SettingsRecord& old, const SettingsRecord& next,
                                          const std::string& message, const std::string& failing,
                                          const std::function<void()>& fault,
                                          const std::function<void()>& repair) {
    SettingsStore(folders, files).Save(old);
    std::map<std::string, std::string> before;
    for (const char* name : kNames) before[name] = ReadBytes(folder / name);
    fault();
    SettingsStore store(folders, files);
    store.Load();
    int errors = 0;
    try {
      store.Save(next);
    } catch (const Exception& e) {
      ++errors;
      EXPECT_EQ(e.Message(), message + (folder / failing).string());
    }
    repair();
    EXPECT_EQ(errors, 1);
    bool kept = false;
    for (const char* name : kNames) {
      kept = kept || name == failing;
      if (kept) {
        EXPECT_EQ(ReadBytes(folder / name), before[name]) << name;
      }
      EXPECT_FALSE(fs::exists(folder / (std::string(name) + ".tmp"))) << name;
    }
    SettingsStore later(folders, files);
    const SettingsRecord loaded = later.Load();
    EXPECT_NO_THROW(later.RaiseLoadFailure());
    EXPECT_EQ(loaded.address, failing == "zirk.ini" ? old.address : next.address);
    EXPECT_EQ(loaded.address_history, old.address_history);
  }

  static constexpr const char* kNames[] = {"zirk.ini", "ZIRK_adrs.ini", "ZIRK_msgs.ini"};
  TempDir dir;
  const fs::path folder = dir.Path() / "settings";
  FakeUserFolders folders;
  PlatformFileSystem files;
};

TEST_F(SettingsDiskTest, AReadOnlyFolder) {
  if (!SetImmutable(folder, true) || !SetImmutable(folder, false)) {
    GTEST_SKIP() << "cannot make a folder immutable here (needs CAP_LINUX_IMMUTABLE)";
  }
  ExpectOneFailureKeepingTheOldFiles(
      Record("old", 3), Record("new", 4), "Unable to write to ", "zirk.ini",
      [this] { ASSERT_TRUE(SetImmutable(folder, true)); }, [this] { SetImmutable(folder, false); });
}

TEST_F(SettingsDiskTest, AFullDisk) {
  if (::mount("zirk-test", folder.c_str(), "tmpfs", 0, "size=256k") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here (needs CAP_SYS_ADMIN): " << strerror(errno);
  }
  struct Row {
    size_t pages_left;  // free pages once the disk is filled
    std::string failing;
    std::string message;
  };
  // zirk.ini takes a page; each history file of the new record about 100 KiB.
  const Row rows[] = {{0, "zirk.ini", "Unable to write to "},
                      {2, "ZIRK_adrs.ini", "Cannot create file "}};
  for (const Row& row : rows) {
    for (const char* name : kNames) fs::remove(folder / name);
    const fs::path filler = folder / "filler";
    ExpectOneFailureKeepingTheOldFiles(
        Record("old", 3), Record("new", 1000), row.message, row.failing,
        [&] {
          const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
          const std::string page(4096, 'f');
          off_t size = 0;
          while (::write(fd, page.data(), page.size()) == static_cast<ssize_t>(page.size())) {
            size += 4096;
          }
          ASSERT_EQ(errno, ENOSPC);
          ASSERT_EQ(::ftruncate(fd, size - static_cast<off_t>(row.pages_left * 4096)), 0);
          ::close(fd);
        },
        [&] { fs::remove(filler); });
  }
  ::umount2(folder.c_str(), MNT_DETACH);
}

}  // namespace
