// The program's reader and writer of "zirk.ini" against the shared table of the format's rules.
#include "core/ProfileFormat.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "support/ProfileCases.h"

namespace {

TEST(ProfileFormat, ReadsByTheRules) {
  for (const ProfileReadCase& c : ProfileReadCases()) {
    EXPECT_EQ(profile_format::ReadValue(c.file, c.section, c.key), c.value) << c.what;
  }
}

TEST(ProfileFormat, WritesByTheRulesAndReadsBackWhatItWrote) {
  for (const ProfileWriteCase& c : ProfileWriteCases()) {
    const std::string written = profile_format::WriteValue(c.file, c.section, c.key, c.value);
    EXPECT_EQ(written, c.written) << c.what;
    EXPECT_EQ(profile_format::ReadValue(written, c.section, c.key), c.read_back) << c.what;
  }
}

// A file saved as UTF-8 or UTF-16 by an editor: its values come back as Windows-1251 and it
// keeps its encoding when written.
TEST(ProfileFormat, ConvertsFilesWithAByteOrderMark) {
  const std::string cyrillic = cp1251::FromUtf8("Жук");
  const std::string utf8 = "\xEF\xBB\xBF[s]\r\nk=" + cp1251::ToUtf8(cyrillic) + "\r\n";
  EXPECT_EQ(profile_format::ReadValue(utf8, "s", "k"), cyrillic);
  EXPECT_EQ(profile_format::WriteValue(utf8, "s", "x", cyrillic),
            utf8 + "x=" + cp1251::ToUtf8(cyrillic) + "\r\n");
  std::string utf16 = "\xFF\xFE";
  for (char16_t ch : cp1251::ToUtf16("[s]\r\nk=" + cyrillic + "\r\n")) {
    utf16.push_back(static_cast<char>(ch & 0xFF));
    utf16.push_back(static_cast<char>(ch >> 8));
  }
  EXPECT_EQ(profile_format::ReadValue(utf16, "s", "k"), cyrillic);
  const std::string rewritten = profile_format::WriteValue(utf16, "s", "k", "v");
  EXPECT_EQ(rewritten.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(profile_format::ReadValue(rewritten, "s", "k"), "v");
}

}  // namespace
