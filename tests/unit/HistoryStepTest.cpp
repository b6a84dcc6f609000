#include "shell/logic/HistoryStep.h"

#include <gtest/gtest.h>

namespace {

TEST(HistoryStep, LeadsToTheEntryBeforeOrAfterTheTextInSortedOrder) {
  const std::vector<std::string> entries{"alpha", "beta", "Beta", "gamma"};
  const struct {
    const char* text;
    HistoryDirection direction;
    std::optional<size_t> index;
  } cases[] = {
      {"alpha", HistoryDirection::Next, 1},    {"alpha", HistoryDirection::Previous, {}},
      {"beta", HistoryDirection::Next, 3},     {"BETA", HistoryDirection::Previous, 0},
      {"gamma", HistoryDirection::Next, {}},   {"gamma", HistoryDirection::Previous, 2},
      {"", HistoryDirection::Next, 0},         {"", HistoryDirection::Previous, {}},
      {"c", HistoryDirection::Previous, 2},    {"c", HistoryDirection::Next, 3},
      {"zulu", HistoryDirection::Previous, 3}, {"zulu", HistoryDirection::Next, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HistoryStep(entries, c.text, c.direction), c.index) << c.text;
  }
  EXPECT_EQ(HistoryStep({}, "x", HistoryDirection::Next), std::nullopt);
  EXPECT_EQ(HistoryStep({}, "x", HistoryDirection::Previous), std::nullopt);
}

}  // namespace
