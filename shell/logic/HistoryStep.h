// Where Up and Down in a history box's field lead: to the entry before or after the field's
// text in the list's sorted order (entries equal to the text without regard to case are passed
// over), or nowhere at either end.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class HistoryDirection { Previous, Next };

// entries are sorted case-insensitively (as a HistoryList keeps them).
std::optional<size_t> HistoryStep(const std::vector<std::string>& entries,
                                  const std::string& field_text, HistoryDirection direction);
