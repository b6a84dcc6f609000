#include "transport/line/ByteBuffer.h"

#include <algorithm>
#include <cstring>

void TByteBuffer::Compact() {
  if (front_ == 0) return;
  const size_t live = Size();
  std::memmove(bytes_.data(), bytes_.data() + front_, live);
  bytes_.resize(live);
  front_ = 0;
}

void TByteBuffer::Append(const char* data, size_t count) {
  if (count == 0) return;
  // Reclaim the taken front when the live bytes are the smaller part.
  if (front_ >= Size()) Compact();
  bytes_.insert(bytes_.end(), data, data + count);
}

void TByteBuffer::Remove(size_t count) {
  front_ += std::min(count, Size());
  if (front_ == bytes_.size()) Clear();
}

void TByteBuffer::Clear() {
  bytes_.clear();
  front_ = 0;
}

void TByteBuffer::SetSize(size_t count) {
  Compact();
  bytes_.resize(count);
}
