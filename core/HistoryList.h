// A sorted list of texts attached to an edit field: the address history and the message
// history. The order is case-insensitive and the same on every system locale.
#pragma once

#include <string>
#include <vector>

class HistoryList {
 public:
  // Adds text at its sorted place unless an entry equals it as a whole text without regard to
  // case. Returns whether it was added.
  bool AddUnique(const std::string& text);
  // Replaces every entry: the same list as adding them one by one at their sorted places,
  // duplicates included, in O(n log n), or O(n) when they come in order.
  void Replace(std::vector<std::string> entries);
  void Clear();

  const std::vector<std::string>& Entries() const { return entries_; }
  size_t Size() const { return entries_.size(); }
  bool Contains(const std::string& text) const;

 private:
  std::vector<std::string> entries_;
};
