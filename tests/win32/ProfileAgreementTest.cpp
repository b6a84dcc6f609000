// The Windows profile functions, which the program no longer calls, held to the same table as
// the program's own reader and writer of "zirk.ini": the two read files alike, and each reads
// what the other wrote.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/ProfileFormat.h"
#include "support/ProfileCases.h"
#include "support/TempDir.h"

namespace {

const char kMissing[] = "\x01missing";

std::optional<std::string> ReadWithWindows(const std::filesystem::path& file,
                                           const std::string& section, const std::string& key) {
  char buffer[2048];
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer,
                                                sizeof buffer, file.string().c_str());
  std::string value(buffer, length);
  if (value == kMissing) return std::nullopt;
  return value;
}

TEST(ProfileAgreement, TheWindowsFunctionsReadByTheSameRules) {
  TempDir dir;
  int n = 0;
  for (const ProfileReadCase& c : ProfileReadCases()) {
    // A file of its own for each case: the functions keep what they read of a file.
    const std::filesystem::path file = dir.Native("read" + std::to_string(n++) + ".ini");
    WriteBytes(file, c.file);
    EXPECT_EQ(ReadWithWindows(file, c.section, c.key), c.wine_value ? c.wine_value : c.value)
        << c.what;
  }
}

TEST(ProfileAgreement, EachReadsWhatTheOtherWrote) {
  TempDir dir;
  int n = 0;
  for (const ProfileWriteCase& c : ProfileWriteCases()) {
    const std::filesystem::path file = dir.Native("write" + std::to_string(n++) + ".ini");
    if (!c.file.empty()) WriteBytes(file, c.file);
    ASSERT_TRUE(WritePrivateProfileStringA(c.section.c_str(), c.key.c_str(), c.value.c_str(),
                                           file.string().c_str()))
        << c.what;
    const std::string windows = ReadBytes(file);
    if (c.wine_writes_the_same) {
      EXPECT_EQ(windows, c.written) << c.what;
    }
    EXPECT_EQ(profile_format::ReadValue(windows, c.section, c.key), c.read_back) << c.what;
    const std::filesystem::path ours = dir.Native("ours" + std::to_string(n) + ".ini");
    WriteBytes(ours, c.written);
    EXPECT_EQ(ReadWithWindows(ours, c.section, c.key), c.read_back) << c.what;
  }
}

}  // namespace
