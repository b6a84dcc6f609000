// The transcript's lines wrapped into rows at the view's width, computed only where asked: a
// row is named by the offset of its first byte, and finding the rows around any offset looks at
// no more than one segment of its line, so the cost is the same at the first line and at the
// millionth, in a short line and in a line of many megabytes.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "shell/logic/LineIndex.h"

// How wide each byte is shown, in pixels; a tab reaches the next multiple of tab_stop.
struct GlyphWidths {
  std::array<int, 256> of_byte{};
  int tab_stop = 1;
};

class TextRows {
 public:
  // A row never crosses a multiple of this many bytes from its line's start, so that rows can
  // be found from the segment's start alone.
  static constexpr size_t kSegmentBytes = 64 * 1024;
  static constexpr size_t kNone = static_cast<size_t>(-1);

  TextRows(const LineIndex& lines, const GlyphWidths& widths) : lines_(lines), widths_(widths) {}

  void SetWidth(int width) { width_ = width; }
  int Width() const { return width_; }

  // The row that holds offset; the end of a line belongs to its last row.
  size_t RowOf(TextSpan text, size_t offset) const;
  // The row after or before row, or kNone at the end or the start of the text.
  size_t Next(TextSpan text, size_t row) const;
  size_t Previous(TextSpan text, size_t row) const;
  // The row count rows before row, or the first row; walks each segment on the way once.
  size_t Back(TextSpan text, size_t row, size_t count) const;
  // Where the row's bytes end (its line's CR LF is no part of it).
  size_t End(TextSpan text, size_t row) const;

  // The x of the offset within its row, and the offset nearest to x in a row.
  int XOf(TextSpan text, size_t row, size_t offset) const;
  size_t OffsetAt(TextSpan text, size_t row, int x) const;

  // The word, run of blanks or run of other signs around offset, within its line.
  std::pair<size_t, size_t> WordAt(TextSpan text, size_t offset) const;

  // How far a byte drawn at x from its row's start moves the next one.
  int Advance(unsigned char byte, int x) const;

 private:
  // In one line's bytes: where the row starting at start ends and the next row starts.
  size_t NextInLine(TextSpan line, size_t start) const;

  const LineIndex& lines_;
  const GlyphWidths& widths_;
  int width_ = 1;
};
