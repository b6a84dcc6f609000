#include "core/Cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, MapsBytesToTheirCharacters) {
  struct Row {
    unsigned char byte;
    char16_t ch;
  };
  const Row rows[] = {
      {0x00, u'\0'},  {0x41, u'A'},   {0x7F, 0x007F}, {0x80, 0x0402}, {0x88, 0x20AC},
      {0x98, 0xFFFD}, {0x99, 0x2122}, {0xA0, 0x00A0}, {0xA8, 0x0401}, {0xB8, 0x0451},
      {0xB9, 0x2116}, {0xC0, 0x0410}, {0xDF, 0x042F}, {0xE0, 0x0430}, {0xFF, 0x044F},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(cp1251::ToUtf16(row.byte), row.ch) << "byte " << int(row.byte);
    EXPECT_EQ(static_cast<unsigned char>(cp1251::FromUtf16(row.ch)), row.byte)
        << "char " << int(row.ch);
  }
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::u16string wide = cp1251::ToUtf16(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(cp1251::FromUtf16(wide), all);
}

TEST(Cp1251, CharactersOutsideTheTableBecomeQuestionMarks) {
  EXPECT_EQ(cp1251::FromUtf16(u"\u4E00\u00C4\u0100x"), "???x");
}

TEST(Cp1251, SourceTextsConvertFromUtf8) {
  EXPECT_EQ(cp1251::FromUtf8("Нет соединения"),
            "\xCD\xE5\xF2 \xF1\xEE\xE5\xE4\xE8\xED\xE5\xED\xE8\xFF");
  EXPECT_EQ(cp1251::FromUtf8("Ёё№€ abc"), "\xA8\xB8\xB9\x88 abc");
  EXPECT_EQ(cp1251::ToUtf8("\xA8\xB8\xB9\x88 abc"), "Ёё№€ abc");
}

TEST(Cp1251, ComparesWithoutRegardToCase) {
  EXPECT_TRUE(cp1251::EqualIgnoreCase("LocalHost", "localhost"));
  EXPECT_TRUE(
      cp1251::EqualIgnoreCase(cp1251::FromUtf8("ПРИВЕТ Ёж"), cp1251::FromUtf8("привет ёж")));
  EXPECT_TRUE(cp1251::EqualIgnoreCase(cp1251::FromUtf8("ЇЄІЎ"), cp1251::FromUtf8("їєіў")));
  EXPECT_FALSE(cp1251::EqualIgnoreCase("abc", "abd"));
  EXPECT_FALSE(cp1251::EqualIgnoreCase("abc", "abc "));
  EXPECT_LT(cp1251::CompareIgnoreCase("Apple", "banana"), 0);
  EXPECT_GT(cp1251::CompareIgnoreCase("b", "A"), 0);
  EXPECT_LT(cp1251::CompareIgnoreCase("ab", "ABC"), 0);
  // Latin before Cyrillic, Cyrillic in alphabetical order.
  EXPECT_LT(cp1251::CompareIgnoreCase("zz", cp1251::FromUtf8("а")), 0);
  EXPECT_LT(cp1251::CompareIgnoreCase(cp1251::FromUtf8("а"), cp1251::FromUtf8("Б")), 0);
  EXPECT_EQ(cp1251::UpperByte(static_cast<unsigned char>(0xFF)), 0xDF);
  EXPECT_EQ(cp1251::UpperByte('q'), 'Q');
  EXPECT_EQ(cp1251::UpperByte(0x98), 0x98);
}

}  // namespace
