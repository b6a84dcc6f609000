// A growable, contiguous byte buffer: bytes are appended at the end and taken from the front.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/Component.h"

class TByteBuffer : public TObject {
 public:
  size_t Size() const { return bytes_.size() - front_; }
  bool Empty() const { return Size() == 0; }
  // The bytes, oldest first; valid until the next change.
  const char* Data() const { return bytes_.data() + front_; }
  char* Data() { return bytes_.data() + front_; }
  // Bytes held in memory, taken bytes not yet reclaimed included.
  size_t Capacity() const { return bytes_.capacity(); }

  void Append(const char* data, size_t count);
  // Removes the first count bytes (at most Size()).
  void Remove(size_t count);
  void Clear();
  // Makes the buffer exactly count bytes long (new bytes are zero).
  void SetSize(size_t count);

 private:
  void Compact();

  std::vector<char> bytes_;
  // Taken bytes at the front not yet reclaimed: taking is O(1), and the remaining bytes move
  // to the front only when they are fewer than the taken ones, so each byte moves at most
  // about once however small the pieces taken.
  size_t front_ = 0;
};
