#include "shell/logic/Anchors.h"

#include <gtest/gtest.h>

namespace {

TEST(Anchors, EachEdgeKeepsItsDistance) {
  const AnchorOrigin origin{{10, 20, 100, 30}, 566, 417};
  struct Row {
    TAnchors anchors;
    ControlBounds expected;
  };
  // The window grows by 34 x 83.
  const Row rows[] = {
      {akLeft | akTop, {10, 20, 100, 30}},
      {akTop | akRight, {44, 20, 100, 30}},
      {akLeft | akTop | akRight, {10, 20, 134, 30}},
      {akLeft | akTop | akRight | akBottom, {10, 20, 134, 113}},
      {akRight | akBottom, {44, 103, 100, 30}},
      {akLeft | akBottom, {10, 103, 100, 30}},
      {0, {13, 26, 100, 30}},  // centres at the same fraction: (120 * 600 / 566 - 100) / 2
  };
  for (const Row& row : rows) {
    EXPECT_EQ(AnchoredBounds(origin, row.anchors, 600, 500), row.expected) << int(row.anchors);
  }
}

TEST(Anchors, StretchedControlsDoNotGoBelowZero) {
  const AnchorOrigin origin{{5, 99, 556, 261}, 566, 417};
  EXPECT_EQ(AnchoredBounds(origin, akLeft | akTop | akRight | akBottom, 0, 0),
            (ControlBounds{5, 99, 0, 0}));
  EXPECT_EQ(AnchoredBounds({{5, 5, 10, 10}, 0, 0}, 0, 100, 100), (ControlBounds{5, 5, 10, 10}));
}

TEST(Anchors, MinimumSize) {
  EXPECT_EQ(AtLeast(500, 566), 566);
  EXPECT_EQ(AtLeast(700, 566), 700);
  EXPECT_EQ(AtLeast(250, 0), 250);
}

}  // namespace
