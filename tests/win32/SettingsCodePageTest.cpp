// The settings in folders whose names have letters outside Windows-1251 or outside the ANSI code
// page, under each ANSI code page a user may have: ctest runs this with the session's default
// and again with LC_ALL=ru_RU.UTF-8, and ZIRK_ANSI_CODE_PAGE names the page each run must have.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "core/SettingsStore.h"
#include "fakes/FakeUserFolders.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

TEST(SettingsCodePage, FoldersOfAnyNameKeepTheRecordByteForByte) {
  if (const char* page = std::getenv("ZIRK_ANSI_CODE_PAGE")) {
    ASSERT_EQ(GetACP(), std::strtoul(page, nullptr, 10));
  }
  const std::string server = cp1251::FromUtf8("сервер");
  SettingsRecord record;
  record.address = server + "\x80\x98\xFF";
  record.port = 8080;
  record.left = 10;
  record.top = 20;
  record.client_height = 300;
  record.client_width = 600;
  record.address_history = std::vector<std::string>{server, "\x81\x98"};
  record.message_history = std::vector<std::string>{cp1251::FromUtf8("привет, мир")};
  for (const char8_t* name : {u8"José", u8"Иван Петров", u8"José Иван 山田"}) {
    TempDir dir;
    const std::filesystem::path folder = dir.Path() / name;
    std::filesystem::create_directory(folder);
    FakeUserFolders folders;
    folders.registry_app_data = folder;
    PlatformFileSystem files;
    SettingsStore store(folders, files);
    store.Load();
    store.Save(record);
    EXPECT_EQ(ReadBytes(folder / "zirk.ini"),
              "[last]\r\nadr=" + record.address +
                  "\r\nport=8080\r\ntype=0\r\n[mainform]\r\nleft=10\r\ntop=20\r\nheight=300\r\n"
                  "width=600\r\n");
    EXPECT_EQ(ReadBytes(folder / "ZIRK_adrs.ini"), server + "\r\n\x81\x98\r\n");
    EXPECT_EQ(ReadBytes(folder / "ZIRK_msgs.ini"), cp1251::FromUtf8("привет, мир\r\n"));
    EXPECT_EQ(SettingsStore(folders, files).Load(), record);
  }
}

}  // namespace
