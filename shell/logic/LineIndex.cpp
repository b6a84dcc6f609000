#include "shell/logic/LineIndex.h"

#include <algorithm>
#include <cstring>

void LineIndex::Clear() {
  starts_.assign(1, 0);
  scanned_ = 0;
}

void LineIndex::Update(std::string_view text) {
  // A CR at the end of the last update may meet its LF now.
  size_t from = scanned_ > 0 && text[scanned_ - 1] == '\r' ? scanned_ - 1 : scanned_;
  while (from + 1 < text.size()) {
    const void* found = std::memchr(text.data() + from + 1, '\n', text.size() - from - 1);
    if (!found) break;
    const size_t lf = static_cast<size_t>(static_cast<const char*>(found) - text.data());
    if (text[lf - 1] == '\r') starts_.push_back(lf + 1);
    from = lf;
  }
  scanned_ = text.size();
}

size_t LineIndex::LineOf(size_t offset) const {
  return static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                             starts_.begin()) -
         1;
}
