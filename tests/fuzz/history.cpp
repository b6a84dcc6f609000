// The history files' splitter and writer, and loading into a history list: what is written splits
// into the same entries, and a list filled with them at once equals one filled one by one.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/Cp1251.h"
#include "core/Format.h"
#include "core/HistoryList.h"
#include "core/SettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> entries = SplitLines(text);
  if (SplitLines(settings_format::JoinHistory(entries)) != entries) std::abort();
  // Each entry after the entries it equals without regard to case.
  std::vector<std::string> one_by_one;
  for (const std::string& entry : entries) {
    auto at = one_by_one.begin();
    while (at != one_by_one.end() && cp1251::CompareIgnoreCase(*at, entry) <= 0) ++at;
    one_by_one.insert(at, entry);
  }
  HistoryList list;
  list.Replace(entries);
  if (list.Entries() != one_by_one) std::abort();
  return 0;
}
