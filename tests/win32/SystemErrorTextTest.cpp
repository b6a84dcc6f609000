// The system's text for an error code in the user's language, with the right letters whatever
// the ANSI code page. The suite runs once more with a Russian interface on a Western code page
// (tests/CMakeLists.txt), where the ANSI texts would be all "?".
#include "platform/SystemErrorText.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>

#include "core/Cp1251.h"

namespace {

TEST(SystemErrorText, TheSystemsOwnLettersWithoutTheClosingPeriod) {
  wchar_t buffer[256];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                ERROR_FILE_NOT_FOUND, 0, buffer, 256, nullptr);
  std::u16string wide(reinterpret_cast<const char16_t*>(buffer), length);
  while (!wide.empty() && (wide.back() <= u' ' || wide.back() == u'.')) wide.pop_back();
  ASSERT_FALSE(wide.empty());

  const std::string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(cp1251::ToUtf16(text), wide);
  if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN) {
    EXPECT_GT(std::count_if(text.begin(), text.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0xC0; }),
              3);
  }
}

}  // namespace
