// A long history for the benchmarks: entries of 60 bytes, as a heavy user's file might hold
// them, in no particular order or in the list's order (as the program writes its files).
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/HistoryList.h"
#include "core/SettingsStore.h"

inline std::vector<std::string> BenchHistoryEntries(size_t count) {
  std::vector<std::string> entries(count);
  for (size_t i = 0; i < count; ++i) {
    // 7919 is prime, so the numbers are all different for any count it does not divide.
    entries[i] = std::to_string(i * 7919 % count);
    entries[i].resize(60, 'h');
  }
  return entries;
}

enum class BenchOrder { None, AsWritten };

inline std::string BenchHistoryFile(size_t count, BenchOrder order) {
  std::vector<std::string> entries = BenchHistoryEntries(count);
  if (order == BenchOrder::None) return settings_format::JoinHistory(entries);
  HistoryList list;
  list.Replace(std::move(entries));
  return settings_format::JoinHistory(list.Entries());
}
