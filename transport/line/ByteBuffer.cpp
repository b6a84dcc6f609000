#include "transport/line/ByteBuffer.h"

#include <algorithm>
#include <cstring>

void TByteBuffer::Reserve(size_t count) {
  const size_t size = Size();
  if (end_ + count <= capacity_) return;
  if (front_ > 0 && front_ >= size && size + count <= capacity_) {
    std::memmove(bytes_.get(), Data(), size);
  } else {
    const size_t capacity = std::max(size + count, capacity_ * 2);
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    if (size > 0) std::memcpy(bytes.get(), Data(), size);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
  }
  front_ = 0;
  end_ = size;
}

void TByteBuffer::Append(const char* data, size_t count) {
  if (count == 0) return;
  std::memcpy(Extend(count), data, count);
}

char* TByteBuffer::Extend(size_t count) {
  Reserve(count);
  char* start = bytes_.get() + end_;
  end_ += count;
  return start;
}

void TByteBuffer::Shrink(size_t count) {
  end_ -= std::min(count, Size());
}

void TByteBuffer::Remove(size_t count) {
  front_ += std::min(count, Size());
  if (front_ == end_) Clear();
}

void TByteBuffer::SetSize(size_t count) {
  if (count > Size()) {
    Extend(count - Size());
  } else {
    Shrink(Size() - count);
  }
}
