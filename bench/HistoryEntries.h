// A long history for the benchmarks: entries of 60 bytes in no particular order, as a heavy
// user's file might hold them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline std::vector<std::string> BenchHistoryEntries(size_t count) {
  std::vector<std::string> entries(count);
  for (size_t i = 0; i < count; ++i) {
    // 7919 is prime, so the numbers are all different for any count it does not divide.
    entries[i] = std::to_string(i * 7919 % count);
    entries[i].resize(60, 'h');
  }
  return entries;
}
