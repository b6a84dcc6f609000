#include "shell/logic/WindowPlace.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(WindowPlace, KeepsAVisiblePlaceAndBringsBackOneOnNoMonitor) {
  // A 1280x1024 monitor with a taskbar at its bottom, and a second one to its right.
  const ScreenRect main{0, 0, 1280, 984};
  const ScreenRect right{1280, 0, 3200, 1040};
  struct Row {
    const char* what;
    std::vector<ScreenRect> areas;
    ControlBounds stored;
    ControlBounds placed;
  };
  const Row rows[] = {
      {"inside", {main}, {150, 150, 566, 417}, {150, 150, 566, 417}},
      {"partly off the edge", {main}, {1000, 900, 566, 417}, {1000, 900, 566, 417}},
      {"on the second monitor", {main, right}, {2000, 100, 566, 417}, {2000, 100, 566, 417}},
      {"the second monitor gone", {main}, {2000, 100, 566, 417}, {714, 100, 566, 417}},
      {"far below and right", {main}, {5000, 4000, 566, 417}, {714, 567, 566, 417}},
      {"above and left", {main}, {-3000, -900, 566, 417}, {0, 0, 566, 417}},
      {"nearest of two", {main, right}, {3500, 200, 566, 417}, {2634, 200, 566, 417}},
      {"larger than the screen", {main}, {-5000, 10, 2000, 2000}, {0, 0, 1280, 984}},
      {"below the taskbar only", {main}, {100, 990, 566, 410}, {100, 574, 566, 410}},
      {"the extremes of the numbers",
       {main},
       {INT_MAX, INT_MIN, INT_MAX, INT_MAX},
       {0, 0, 1280, 984}},
      {"no monitors known", {}, {5000, 4000, 566, 417}, {5000, 4000, 566, 417}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(VisiblePlace(row.stored, row.areas), row.placed) << row.what;
  }
}

}  // namespace
