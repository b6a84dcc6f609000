#include "shell/logic/HistoryStep.h"

#include <algorithm>

#include "core/Cp1251.h"

std::optional<size_t> HistoryStep(const std::vector<std::string>& entries,
                                  const std::string& field_text, HistoryDirection direction) {
  const auto before = [](const std::string& a, const std::string& b) {
    return cp1251::CompareIgnoreCase(a, b) < 0;
  };
  if (direction == HistoryDirection::Previous) {
    const auto first = std::lower_bound(entries.begin(), entries.end(), field_text, before);
    if (first == entries.begin()) return std::nullopt;
    return static_cast<size_t>(first - entries.begin()) - 1;
  }
  const auto after = std::upper_bound(entries.begin(), entries.end(), field_text, before);
  if (after == entries.end()) return std::nullopt;
  return static_cast<size_t>(after - entries.begin());
}
