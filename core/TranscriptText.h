// The transcript's bytes, kept in blocks of one size that never move once written: a growing
// text never copies what it already holds, so an append costs the same at the first byte and at
// the billionth. TextSpan reads a run of them by offset, as a string_view reads a string.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TranscriptText {
 public:
  static constexpr unsigned kBlockShift = 20;
  static constexpr size_t kBlockBytes = size_t{1} << kBlockShift;

  size_t size() const { return size_; }
  char operator[](size_t offset) const {
    return blocks_[offset >> kBlockShift][offset & (kBlockBytes - 1)];
  }

  void Append(std::string_view bytes);
  // Forgets every byte and gives their memory back.
  void Clear();
  std::string ToString() const;

  // Calls visit(offset, run) for the bytes of [begin, end) in order, each run within one block.
  template <typename Visit>
  void ForEachRun(size_t begin, size_t end, Visit&& visit) const {
    while (begin < end) {
      const size_t in_block = begin & (kBlockBytes - 1);
      const size_t count = std::min(end - begin, kBlockBytes - in_block);
      visit(begin, std::string_view(blocks_[begin >> kBlockShift].get() + in_block, count));
      begin += count;
    }
  }

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t size_ = 0;
};

class TextSpan {
 public:
  static constexpr size_t npos = std::string_view::npos;

  TextSpan() = default;
  // The whole text as it is now; valid while the text is not cleared or destroyed.
  TextSpan(const TranscriptText& text) : text_(&text), size_(text.size()) {}  // NOLINT

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  char operator[](size_t offset) const { return (*text_)[begin_ + offset]; }
  // Like string_view's: pos at most size(), count cut to what is there.
  TextSpan substr(size_t pos, size_t count = npos) const;
  // Calls visit(offset, run) for the span's bytes in order, offsets counted from its start.
  template <typename Visit>
  void ForEachRun(Visit&& visit) const {
    if (!text_) return;
    text_->ForEachRun(begin_, begin_ + size_,
                      [&](size_t offset, std::string_view run) { visit(offset - begin_, run); });
  }
  std::string ToString() const;

 private:
  const TranscriptText* text_ = nullptr;
  size_t begin_ = 0;
  size_t size_ = 0;
};
