#include "core/HistoryList.h"

#include <algorithm>

#include "core/Cp1251.h"

namespace {
bool Before(const std::string& a, const std::string& b) {
  return cp1251::CompareIgnoreCase(a, b) < 0;
}
}  // namespace

size_t HistoryList::InsertSorted(const std::string& text) {
  // After any equal entries, so that equal entries keep the order in which they came.
  auto at = std::upper_bound(entries_.begin(), entries_.end(), text, Before);
  size_t index = static_cast<size_t>(at - entries_.begin());
  entries_.insert(at, text);
  return index;
}

bool HistoryList::Contains(const std::string& text) const {
  // The entries are sorted by the same comparison, so a match is where text would go.
  auto at = std::lower_bound(entries_.begin(), entries_.end(), text, Before);
  return at != entries_.end() && cp1251::CompareIgnoreCase(*at, text) == 0;
}

bool HistoryList::AddUnique(const std::string& text) {
  if (Contains(text)) return false;
  size_t index = InsertSorted(text);
  if (OnInserted) OnInserted(index, entries_[index]);
  return true;
}

void HistoryList::Replace(const std::vector<std::string>& entries) {
  // The same order as adding them one by one at their sorted places.
  entries_ = entries;
  std::stable_sort(entries_.begin(), entries_.end(), Before);
  if (OnReplaced) OnReplaced();
}

void HistoryList::Clear() {
  entries_.clear();
  if (OnReplaced) OnReplaced();
}
