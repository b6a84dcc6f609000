#include "shell/logic/TextRows.h"

#include <algorithm>
#include <vector>

#include "core/Cp1251.h"

namespace {

bool IsBlank(unsigned char byte) {
  return byte == ' ' || byte == '\t';
}

// 0 blanks, 1 letters and digits (Latin and Cyrillic), 2 other signs.
int CharClass(unsigned char byte) {
  if (IsBlank(byte)) return 0;
  if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
      (byte >= 'a' && byte <= 'z') || byte == '_') {
    return 1;
  }
  const char16_t ch = cp1251::ToUtf16(byte);
  return ch >= u'\u0400' && ch <= u'\u04FF' ? 1 : 2;
}

}  // namespace

int TextRows::Advance(unsigned char byte, int x) const {
  if (byte != '\t') return widths_.of_byte[byte];
  const int stop = widths_.tab_stop > 0 ? widths_.tab_stop : 1;
  return (x / stop + 1) * stop - x;
}

size_t TextRows::NextInLine(TextSpan line, size_t start) const {
  const size_t segment_end = std::min(line.size(), (start / kSegmentBytes + 1) * kSegmentBytes);
  int x = 0;
  size_t after_blank = kNone;
  for (size_t i = start; i < segment_end; ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    const int advance = Advance(byte, x);
    if (x + advance > width_ && i > start) {
      // A blank that does not fit hangs at the row's end; a word moves to the next row whole
      // unless it fills the row alone.
      if (IsBlank(byte)) return i + 1;
      return after_blank != kNone ? after_blank : i;
    }
    x += advance;
    if (IsBlank(byte)) after_blank = i + 1;
  }
  return segment_end;
}

size_t TextRows::RowOf(TextSpan text, size_t offset) const {
  const size_t line = lines_.LineOf(offset);
  const size_t start = lines_.Start(line);
  const TextSpan bytes = text.substr(start, lines_.End(line, text.size()) - start);
  if (bytes.empty()) return start;
  const size_t target = std::min(offset - start, bytes.size() - 1);
  size_t row = target - target % kSegmentBytes;
  for (size_t next = NextInLine(bytes, row); next <= target; next = NextInLine(bytes, row)) {
    row = next;
  }
  return start + row;
}

size_t TextRows::Next(TextSpan text, size_t row) const {
  const size_t line = lines_.LineOf(row);
  const size_t start = lines_.Start(line);
  const size_t end = lines_.End(line, text.size());
  const size_t next =
      row < end ? start + NextInLine(text.substr(start, end - start), row - start) : end;
  if (next < end) return next;
  return line + 1 < lines_.Count() ? lines_.Start(line + 1) : kNone;
}

size_t TextRows::Previous(TextSpan text, size_t row) const {
  const size_t line = lines_.LineOf(row);
  if (row > lines_.Start(line)) return RowOf(text, row - 1);
  if (line == 0) return kNone;
  return RowOf(text, lines_.End(line - 1, text.size()));
}

size_t TextRows::Back(TextSpan text, size_t row, size_t count) const {
  std::vector<size_t> rows;
  while (count > 0) {
    const size_t line = lines_.LineOf(row);
    const size_t start = lines_.Start(line);
    if (row == start) {
      if (line == 0) return row;
      row = RowOf(text, lines_.End(line - 1, text.size()));
      --count;
      continue;
    }
    // The rows of the segment before row, found in one walk from the segment's start.
    const TextSpan bytes = text.substr(start, lines_.End(line, text.size()) - start);
    const size_t before = row - start - 1;
    rows.clear();
    for (size_t at = before - before % kSegmentBytes; at < row - start;
         at = NextInLine(bytes, at)) {
      rows.push_back(at);
    }
    if (rows.size() >= count) return start + rows[rows.size() - count];
    count -= rows.size();
    row = start + rows.front();
  }
  return row;
}

size_t TextRows::End(TextSpan text, size_t row) const {
  const size_t line = lines_.LineOf(row);
  const size_t end = lines_.End(line, text.size());
  const size_t next = Next(text, row);
  return next != kNone && next < end ? next : end;
}

int TextRows::XOf(TextSpan text, size_t row, size_t offset) const {
  int x = 0;
  for (size_t i = row; i < offset; ++i) x += Advance(static_cast<unsigned char>(text[i]), x);
  return x;
}

size_t TextRows::OffsetAt(TextSpan text, size_t row, int x) const {
  const size_t end = End(text, row);
  int left = 0;
  for (size_t i = row; i < end; ++i) {
    const int advance = Advance(static_cast<unsigned char>(text[i]), left);
    if (x < left + advance / 2 + advance % 2) return i;
    left += advance;
  }
  return end;
}

std::pair<size_t, size_t> TextRows::WordAt(TextSpan text, size_t offset) const {
  const size_t line = lines_.LineOf(offset);
  const size_t start = lines_.Start(line);
  const size_t end = lines_.End(line, text.size());
  if (start == end) return {start, end};
  const size_t at = std::min(offset, end - 1);
  const int kind = CharClass(static_cast<unsigned char>(text[at]));
  size_t first = at;
  while (first > start && CharClass(static_cast<unsigned char>(text[first - 1])) == kind) --first;
  size_t last = at + 1;
  while (last < end && CharClass(static_cast<unsigned char>(text[last])) == kind) ++last;
  return {first, last};
}
