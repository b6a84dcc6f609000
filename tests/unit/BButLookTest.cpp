#include "shell/logic/BButLook.h"

#include <gtest/gtest.h>

namespace {

using Strokes = std::vector<BevelStroke>;

TEST(BButLook, BevelStrokesForEveryShape) {
  const int w = 40, h = 30;
  struct Row {
    TBevelShape shape;
    Strokes strokes;
  };
  const Row rows[] = {
      {TBevelShape::bsBox,
       {{{{0, 29}, {0, 0}, {39, 0}}, false}, {{{39, 0}, {39, 29}, {0, 29}}, true}}},
      {TBevelShape::bsFrame,
       {{{{1, 29}, {1, 1}, {39, 1}}, true},
        {{{39, 1}, {39, 29}, {1, 29}}, true},
        {{{0, 28}, {0, 0}, {38, 0}}, false},
        {{{38, 0}, {38, 28}, {0, 28}}, false}}},
      {TBevelShape::bsTopLine, {{{{0, 0}, {40, 0}}, false}, {{{0, 1}, {40, 1}}, true}}},
      {TBevelShape::bsBottomLine, {{{{0, 28}, {40, 28}}, false}, {{{0, 29}, {40, 29}}, true}}},
      {TBevelShape::bsLeftLine, {{{{0, 0}, {0, 30}}, false}, {{{1, 0}, {1, 30}}, true}}},
      {TBevelShape::bsRightLine, {{{{38, 0}, {38, 30}}, false}, {{{39, 0}, {39, 30}}, true}}},
      {TBevelShape::bsSpacer, {}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(BevelStrokes(row.shape, w, h), row.strokes) << static_cast<int>(row.shape);
  }
}

TEST(BButLook, PictureChoicePerLookWithFallbacks) {
  using P = ButtonPicture;
  struct Row {
    bool pressed, hover;
    PicturesHeld held;
    P expected;
  };
  const Row rows[] = {
      {false, false, {true, true, true}, P::Up},
      {false, true, {true, true, true}, P::En},
      {false, false, {false, true, true}, P::None},  // no PictUp: no picture at all
      {false, true, {false, true, true}, P::None},
      {true, false, {true, true, true}, P::Down},
      {true, true, {false, true, false}, P::Down},
      {true, false, {true, false, true}, P::En},   // no PictDown: PictEn
      {true, false, {true, false, false}, P::Up},  // then PictUp
      {true, false, {false, false, false}, P::None},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ChooseButtonPicture(row.pressed, row.hover, row.held), row.expected)
        << row.pressed << row.hover << row.held.up << row.held.down << row.held.en;
  }
}

TEST(BButLook, PictureRectIsInsetAndShiftedWhenPressed) {
  EXPECT_EQ(ButtonPictureRect(75, 22, 4, 1, false), (LookRect{4, 4, 71, 18}));
  EXPECT_EQ(ButtonPictureRect(75, 22, 4, 1, true), (LookRect{5, 5, 72, 19}));
  EXPECT_EQ(ButtonPictureRect(75, 22, 4, -2, true), (LookRect{2, 2, 69, 16}));
  EXPECT_EQ(ButtonPictureRect(75, 22, 0, 0, true), (LookRect{0, 0, 75, 22}));
}

TEST(BButLook, CaptionIsCentredWithTruncatingDivision) {
  EXPECT_EQ(ButtonCaptionOrigin(75, 22, 50, 13, 1, false), (LookPoint{12, 4}));
  EXPECT_EQ(ButtonCaptionOrigin(16, 16, 21, 13, 1, false), (LookPoint{-2, 1}));
  EXPECT_EQ(ButtonCaptionOrigin(16, 10, 21, 13, 0, false), (LookPoint{-2, -1}));
  EXPECT_EQ(ButtonCaptionOrigin(75, 22, 50, 13, 1, true), (LookPoint{13, 5}));
  EXPECT_EQ(ButtonCaptionOrigin(75, 22, 50, 13, -2, true), (LookPoint{10, 2}));
}

}  // namespace
