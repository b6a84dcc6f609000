// A sorted list of texts attached to an edit field: the address history and the message
// history. The order is case-insensitive and the same on every system locale.
#pragma once

#include <functional>
#include <string>
#include <vector>

class HistoryList {
 public:
  // Adds text at its sorted place unless an entry equals it as a whole text without regard to
  // case. Returns whether it was added.
  bool AddUnique(const std::string& text);
  // Replaces every entry; each is added at its sorted place, duplicates included.
  void Replace(const std::vector<std::string>& entries);
  void Clear();

  const std::vector<std::string>& Entries() const { return entries_; }
  size_t Size() const { return entries_.size(); }
  bool Contains(const std::string& text) const;

  // For the view: an entry was inserted at index; the whole list was replaced.
  std::function<void(size_t index, const std::string& text)> OnInserted;
  std::function<void()> OnReplaced;

 private:
  size_t InsertSorted(const std::string& text);

  std::vector<std::string> entries_;
};
