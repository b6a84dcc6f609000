#include "shell/logic/LineIndex.h"

#include <algorithm>

void LineIndex::Clear() {
  starts_.assign(1, 0);
  scanned_ = 0;
}

void LineIndex::Update(TextSpan text) {
  // An LF at the start of the text breaks no line; one right after the last update may meet
  // the CR before it.
  const size_t from = std::max<size_t>(scanned_, 1);
  if (from < text.size()) {
    text.substr(from).ForEachRun([&](size_t offset, std::string_view run) {
      for (size_t at = run.find('\n'); at != std::string_view::npos; at = run.find('\n', at + 1)) {
        const size_t lf = from + offset + at;
        if (text[lf - 1] == '\r') starts_.push_back(lf + 1);
      }
    });
  }
  scanned_ = text.size();
}

size_t LineIndex::LineOf(size_t offset) const {
  return static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                             starts_.begin()) -
         1;
}
