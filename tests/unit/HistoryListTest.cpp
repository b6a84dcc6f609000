#include "core/HistoryList.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"

namespace {

using Entries = std::vector<std::string>;

TEST(HistoryList, AddsAtTheSortedPlaceOnlyWhenNoEntryMatches) {
  HistoryList list;
  EXPECT_TRUE(list.AddUnique("localhost"));
  EXPECT_TRUE(list.AddUnique("Beta"));
  EXPECT_TRUE(list.AddUnique("alpha"));
  EXPECT_FALSE(list.AddUnique("LOCALHOST"));
  EXPECT_FALSE(list.AddUnique("beta"));
  EXPECT_TRUE(list.AddUnique("beta "));
  EXPECT_EQ(list.Entries(), (Entries{"alpha", "Beta", "beta ", "localhost"}));
}

TEST(HistoryList, MatchesCyrillicWithoutRegardToCase) {
  HistoryList list;
  EXPECT_TRUE(list.AddUnique(cp1251::FromUtf8("Привет")));
  EXPECT_FALSE(list.AddUnique(cp1251::FromUtf8("ПРИВЕТ")));
  EXPECT_TRUE(list.AddUnique(cp1251::FromUtf8("пока")));
  EXPECT_EQ(list.Entries(), (Entries{cp1251::FromUtf8("пока"), cp1251::FromUtf8("Привет")}));
}

TEST(HistoryList, ReplacingSortsAndKeepsDuplicates) {
  HistoryList list;
  list.AddUnique("x");
  list.Replace({"b", "A", "a", "", "B"});
  EXPECT_EQ(list.Entries(), (Entries{"", "A", "a", "b", "B"}));
  list.Clear();
  EXPECT_EQ(list.Size(), 0u);
}

}  // namespace
