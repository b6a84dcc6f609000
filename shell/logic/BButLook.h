// Where the bevel control and the skinned button draw: the bevel's lines for each shape, the
// picture that a look shows, the picture rectangle and the caption's place. Pure geometry; the
// window side turns it into pixels.
#pragma once

#include <cstdint>
#include <vector>

enum class TBevelShape {
  bsBox,
  bsFrame,
  bsTopLine,
  bsBottomLine,
  bsLeftLine,
  bsRightLine,
  bsSpacer
};
enum class TBevelStyle { bsLowered, bsRaised };

struct LookPoint {
  int x = 0;
  int y = 0;
  bool operator==(const LookPoint&) const = default;
};

struct LookRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const LookRect&) const = default;
};

// A 1-pixel polyline in the bevel's first or second colour. It covers every point but its last
// (a two-point line leaves out its end point).
struct BevelStroke {
  std::vector<LookPoint> points;
  bool second = false;
  bool operator==(const BevelStroke&) const = default;
};

// The strokes of a bevel of width w and height h, in drawing order.
std::vector<BevelStroke> BevelStrokes(TBevelShape shape, int w, int h);

// Which of the button's three pictures a look shows.
enum class ButtonPicture { None, Up, Down, En };

struct PicturesHeld {
  bool up = false;
  bool down = false;
  bool en = false;
};

// Up look: nothing without PictUp, else PictEn while the hover look is shown, else PictUp.
// Pressed look: the first of PictDown, PictEn, PictUp that holds a graphic.
ButtonPicture ChooseButtonPicture(bool pressed, bool hover_shown, PicturesHeld held);

// The picture rectangle: inset by corner from every edge, shifted right and down by unmouse in
// the pressed look.
LookRect ButtonPictureRect(int w, int h, uint16_t corner, int8_t unmouse, bool pressed);

// The caption's top-left corner: centred with truncation toward zero, shifted by unmouse in the
// pressed look.
LookPoint ButtonCaptionOrigin(int w, int h, int text_w, int text_h, int8_t unmouse, bool pressed);
