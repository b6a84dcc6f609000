// Where each line of the transcript starts: the text cut at each CR LF (a lone CR or LF stays
// in its line). Kept up to date by looking only at the bytes appended since the last update.
#pragma once

#include <cstddef>
#include <deque>

#include "core/TranscriptText.h"

class LineIndex {
 public:
  // Forgets every line: the text is empty again.
  void Clear();
  // Takes in the bytes that were appended to text since the last call (text only grows
  // between calls to Clear).
  void Update(TextSpan text);

  // At least one: an empty text, or a text that ends in CR LF, ends with an empty line.
  size_t Count() const { return starts_.size(); }
  size_t Start(size_t line) const { return starts_[line]; }
  // Where the line's bytes end: before its CR LF, or at the end of the text for the last line.
  size_t End(size_t line, size_t text_size) const {
    return line + 1 < starts_.size() ? starts_[line + 1] - 2 : text_size;
  }
  // The line that holds the byte at offset (the last line for the end of the text).
  size_t LineOf(size_t offset) const;

 private:
  // Grows in pieces: a million lines never move to a larger copy of themselves.
  std::deque<size_t> starts_{0};
  size_t scanned_ = 0;
};
