// The transcript view's portable parts: the shown characters, the line index kept up to date
// by appends, and rows wrapped at a width and found from any offset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/logic/LineIndex.h"
#include "shell/logic/TextRows.h"
#include "shell/logic/TranscriptChars.h"

namespace {

using namespace std::string_literals;

std::u16string Shown(const std::string& text) {
  std::u16string shown(text.size(), u'\0');
  transcript_chars::CopyShown(text, 0, text.size(), shown.data());
  return shown;
}

TEST(TranscriptChars, OneCharacterPerByteWithPlaceholders) {
  const struct {
    std::string bytes;
    std::u16string shown;
  } cases[] = {
      {"", u""},
      {"a\r\nb\r\n", u"a\r\nb\r\n"},
      {"a\rb", u"a\u240Db"},
      {"a\nb", u"a\u240Ab"},
      {"a\n\r\n", u"a\u240A\r\n"},
      {"a\r\r\n", u"a\u240D\r\n"},
      {"\n\r", u"\u240A\u240D"},
      {"x\0y"s, u"x\u2400y"},
      {"\x0B\x0C\x1B", u"\u240B\u240C\u241B"},
      {"tab\there", u"tab\there"},
      {"\x7F\x98", u"\u2421\uFFFD"},
      {"\xCF\xF0\xE8 \xA8\xB8\x80\x85\xB9", u"\u041F\u0440\u0438 \u0401\u0451\u0402\u2026\u2116"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(c.bytes), c.shown) << c.bytes;
  // A part of the text keeps the meaning its neighbours give a CR or LF at its edges.
  const std::string text = "ab\r\ncd";
  std::u16string part(2, u'\0');
  transcript_chars::CopyShown(text, 3, 5, part.data());
  EXPECT_EQ(part, u"\nc");
}

std::vector<size_t> Starts(const LineIndex& index) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < index.Count(); ++i) starts.push_back(index.Start(i));
  return starts;
}

TEST(LineIndex, CutsAtCrLfOnlyAcrossAppendsInAnyPieces) {
  const std::string text = "one\r\ntwo\rlone\nthree\r\n\r\nlast\r\n";
  const std::vector<size_t> expected{0, 5, 21, 23, 29};
  // Whole, byte by byte (a CR and its LF in different appends), and cleared then appended.
  TranscriptText stored;
  stored.Append(text);
  LineIndex whole;
  whole.Update(stored);
  EXPECT_EQ(Starts(whole), expected);
  TranscriptText growing;
  LineIndex pieces;
  for (const char byte : text) {
    growing.Append(std::string_view(&byte, 1));
    pieces.Update(growing);
  }
  EXPECT_EQ(Starts(pieces), expected);
  growing.Clear();
  pieces.Clear();
  EXPECT_EQ(Starts(pieces), std::vector<size_t>{0});
  growing.Append("x\r\n");
  pieces.Update(growing);
  EXPECT_EQ(Starts(pieces), (std::vector<size_t>{0, 3}));
  // A CR LF across the edge of the text's blocks.
  const std::string across = std::string(TranscriptText::kBlockBytes - 1, 'a') + "\r\nb";
  stored.Clear();
  stored.Append(across);
  LineIndex far;
  far.Update(stored);
  EXPECT_EQ(Starts(far), (std::vector<size_t>{0, TranscriptText::kBlockBytes + 1}));
  EXPECT_EQ(stored.ToString(), across);
  EXPECT_EQ(TextSpan(stored).substr(TranscriptText::kBlockBytes - 2, 3).ToString(), "a\r\n");

  EXPECT_EQ(whole.End(0, text.size()), 3u);
  EXPECT_EQ(whole.End(1, text.size()), 19u);
  EXPECT_EQ(whole.End(4, text.size()), text.size());
  EXPECT_EQ(whole.LineOf(0), 0u);
  EXPECT_EQ(whole.LineOf(4), 0u);  // the LF of the first line's CR LF
  EXPECT_EQ(whole.LineOf(5), 1u);
  EXPECT_EQ(whole.LineOf(text.size()), 4u);
}

// Every byte 10 pixels wide, a tab stop every 40.
class TextRowsTest : public ::testing::Test {
 protected:
  TextRowsTest() {
    widths.of_byte.fill(10);
    widths.tab_stop = 40;
    rows.SetWidth(100);
  }
  void SetText(const std::string& value) {
    stored.Clear();
    stored.Append(value);
    text = stored;
    lines.Clear();
    lines.Update(text);
  }
  // Every row from the first, as its bytes.
  std::vector<std::string> AllRows() const {
    std::vector<std::string> all;
    for (size_t row = 0; row != TextRows::kNone; row = rows.Next(text, row)) {
      all.push_back(text.substr(row, rows.End(text, row) - row).ToString());
    }
    return all;
  }

  GlyphWidths widths;
  LineIndex lines;
  TextRows rows{lines, widths};
  TranscriptText stored;
  TextSpan text;
};

TEST_F(TextRowsTest, WrapsAtTheWidthBetweenWordsAndWalksBothWays) {
  const struct {
    std::string text;
    std::vector<std::string> rows;
  } cases[] = {
      {"", {""}},
      {"short\r\n", {"short", ""}},
      {"exactly10!", {"exactly10!"}},
      {"0123456789abc", {"0123456789", "abc"}},
      {"two words here and more", {"two words ", "here and ", "more"}},
      {"blank at   the edge", {"blank at   ", "the edge"}},
      {"a\tb\tcdefgh", {"a\tb\t", "cdefgh"}},
      {"x\r\n\r\ny", {"x", "", "y"}},
      {"lone\rcr\nand lf", {"lone\rcr\nan", "d lf"}},
  };
  for (const auto& c : cases) {
    SetText(c.text);
    const std::vector<std::string> all = AllRows();
    EXPECT_EQ(all, c.rows) << c.text;
    // Walking back from the last row meets the same rows, and every offset finds its row.
    size_t row = rows.RowOf(text, text.size());
    EXPECT_EQ(rows.Back(text, row, c.rows.size() - 1), 0u) << c.text;
    EXPECT_EQ(rows.Back(text, row, c.rows.size() + 5), 0u) << c.text;
    size_t count = 1;
    while (rows.Previous(text, row) != TextRows::kNone) {
      const size_t previous = rows.Previous(text, row);
      EXPECT_EQ(rows.Next(text, previous), row) << c.text;
      row = previous;
      ++count;
    }
    EXPECT_EQ(row, 0u);
    EXPECT_EQ(count, c.rows.size()) << c.text;
    for (size_t offset = 0; offset <= text.size(); ++offset) {
      const size_t found = rows.RowOf(text, offset);
      EXPECT_LE(found, offset) << c.text << " at " << offset;
      EXPECT_TRUE(rows.Next(text, found) == TextRows::kNone || rows.Next(text, found) > offset ||
                  rows.End(text, found) == offset)
          << c.text << " at " << offset;
    }
  }
}

TEST_F(TextRowsTest, ALongLineIsFoundFromItsSegmentAlone) {
  // Two megabytes without a line end or a blank (across the text's blocks): rows of 10 bytes,
  // and a short row where each segment ends.
  SetText(std::string(2 * 1024 * 1024 + 5, 'z'));
  const size_t segment = TextRows::kSegmentBytes;
  EXPECT_EQ(rows.RowOf(text, 25), 20u);
  EXPECT_EQ(rows.RowOf(text, segment + 3), segment);
  EXPECT_EQ(rows.RowOf(text, segment - 1), segment - segment % 10);
  EXPECT_EQ(rows.Next(text, segment - segment % 10), segment);
  EXPECT_EQ(rows.Previous(text, segment), segment - segment % 10);
  EXPECT_EQ(rows.RowOf(text, text.size()), text.size() - 5);
  EXPECT_EQ(rows.Next(text, text.size() - 5), TextRows::kNone);
  EXPECT_EQ(rows.Back(text, text.size() - 5, 2), text.size() - 5 - 6 - 10);
  EXPECT_EQ(rows.Back(text, segment + 20, 3), segment - 6);
}

TEST_F(TextRowsTest, MapsXToOffsetsAndFindsWords) {
  SetText("ab\tcd \xCF\xF0\xE8-x_1 ..\r\nnext");
  EXPECT_EQ(rows.XOf(text, 0, 2), 20);
  EXPECT_EQ(rows.XOf(text, 0, 3), 40);  // the tab reaches the stop
  EXPECT_EQ(rows.OffsetAt(text, 0, 0), 0u);
  EXPECT_EQ(rows.OffsetAt(text, 0, 14), 1u);
  EXPECT_EQ(rows.OffsetAt(text, 0, 31), 3u);
  EXPECT_EQ(rows.OffsetAt(text, 0, 1000), rows.End(text, 0));
  const struct {
    size_t offset;
    std::string word;
  } cases[] = {{0, "ab"},   {4, "cd"}, {5, " "},   {7, "\xCF\xF0\xE8"}, {9, "-"},
               {11, "x_1"}, {13, " "}, {14, ".."}, {16, ".."},          {20, "next"}};
  for (const auto& c : cases) {
    const auto [first, last] = rows.WordAt(text, c.offset);
    EXPECT_EQ(text.substr(first, last - first).ToString(), c.word) << c.offset;
  }
}

}  // namespace
