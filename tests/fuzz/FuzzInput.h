// A fuzzer's input read byte by byte as a script; past the end every byte reads as 0.
#pragma once

#include <cstddef>
#include <cstdint>

struct FuzzInput {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool More() const { return at < size; }
  uint8_t Byte() { return at < size ? data[at++] : 0; }
};
