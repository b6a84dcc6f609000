// Equal entries (the same text without regard to case) keep the order in which they came: a new
// one goes after them.
#include "core/HistoryList.h"

#include <algorithm>
#include <utility>

#include "core/Cp1251.h"

namespace {
bool Before(const std::string& a, const std::string& b) {
  return cp1251::CompareIgnoreCase(a, b) < 0;
}
}  // namespace

bool HistoryList::Contains(const std::string& text) const {
  // The entries are sorted by the same comparison, so a match is where text would go.
  auto at = std::lower_bound(entries_.begin(), entries_.end(), text, Before);
  return at != entries_.end() && cp1251::CompareIgnoreCase(*at, text) == 0;
}

bool HistoryList::AddUnique(const std::string& text) {
  if (Contains(text)) return false;
  entries_.insert(std::upper_bound(entries_.begin(), entries_.end(), text, Before), text);
  return true;
}

void HistoryList::Replace(std::vector<std::string> entries) {
  // Adding one by one puts each entry after the equal ones before it; a stable sort by the same
  // order keeps equal entries in the order they came, so both give the same list. The program
  // writes its files in this order, so a file it wrote needs no sorting.
  entries_ = std::move(entries);
  if (!std::is_sorted(entries_.begin(), entries_.end(), Before)) {
    std::stable_sort(entries_.begin(), entries_.end(), Before);
  }
}

void HistoryList::Clear() {
  entries_.clear();
}
