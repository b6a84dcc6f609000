// A growable, contiguous byte buffer: bytes are appended at the end and taken from the front.
#pragma once

#include <cstddef>
#include <memory>

#include "core/Component.h"

class TByteBuffer : public TObject {
 public:
  size_t Size() const { return end_ - front_; }
  bool Empty() const { return end_ == front_; }
  // The bytes, oldest first; valid until the next change.
  const char* Data() const { return bytes_.get() + front_; }
  char* Data() { return bytes_.get() + front_; }
  // Bytes held in memory, taken bytes not yet reclaimed included.
  size_t Capacity() const { return capacity_; }

  void Append(const char* data, size_t count);
  // Adds count bytes (their content undefined) at the end and returns where they start, for the
  // caller to fill; Shrink gives back what it did not fill.
  char* Extend(size_t count);
  // Removes the last count bytes (at most Size()).
  void Shrink(size_t count);
  // Removes the first count bytes (at most Size()).
  void Remove(size_t count);
  void Clear() { front_ = end_ = 0; }
  // Makes the buffer exactly count bytes long.
  void SetSize(size_t count);

 private:
  void Reserve(size_t count);

  std::unique_ptr<char[]> bytes_;
  size_t capacity_ = 0;
  // Taken bytes before front_ are not moved at once: taking is O(1), and the remaining bytes
  // move to the start only when more room is needed and they are fewer than the taken ones,
  // so each byte moves at most about once however small the pieces taken.
  size_t front_ = 0;
  size_t end_ = 0;
};
