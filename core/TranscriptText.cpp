#include "core/TranscriptText.h"

#include <algorithm>
#include <cstring>

// A block's memory is left as it comes (no zeroing): each byte of it is written once, when the
// text reaches it, and the pages nobody wrote to cost nothing.
void TranscriptText::Append(std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t in_block = size_ & (kBlockBytes - 1);
    if (in_block == 0 && size_ >> kBlockShift == blocks_.size()) {
      blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockBytes));
    }
    const size_t count = std::min(bytes.size(), kBlockBytes - in_block);
    std::memcpy(blocks_[size_ >> kBlockShift].get() + in_block, bytes.data(), count);
    size_ += count;
    bytes.remove_prefix(count);
  }
}

void TranscriptText::Clear() {
  blocks_.clear();
  blocks_.shrink_to_fit();
  size_ = 0;
}

std::string TranscriptText::ToString() const {
  return TextSpan(*this).ToString();
}

TextSpan TextSpan::substr(size_t pos, size_t count) const {
  TextSpan part = *this;
  part.begin_ = begin_ + pos;
  part.size_ = std::min(count, size_ - pos);
  return part;
}

std::string TextSpan::ToString() const {
  std::string bytes;
  bytes.reserve(size_);
  ForEachRun([&](size_t, std::string_view run) { bytes.append(run); });
  return bytes;
}
