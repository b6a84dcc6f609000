#include "shell/logic/BButLook.h"

namespace {

// The left and top edges, then the right and bottom edges; each flag picks the second colour
// for its pair of edges.
void AddOutline(std::vector<BevelStroke>& strokes, int l, int t, int r, int b, bool left_top_second,
                bool right_bottom_second) {
  strokes.push_back({{{l, b}, {l, t}, {r, t}}, left_top_second});
  strokes.push_back({{{r, t}, {r, b}, {l, b}}, right_bottom_second});
}

void AddLine(std::vector<BevelStroke>& strokes, LookPoint from, LookPoint to, bool second) {
  strokes.push_back({{from, to}, second});
}

}  // namespace

std::vector<BevelStroke> BevelStrokes(TBevelShape shape, int w, int h) {
  std::vector<BevelStroke> strokes;
  switch (shape) {
    case TBevelShape::bsBox:
      AddOutline(strokes, 0, 0, w - 1, h - 1, false, true);
      break;
    case TBevelShape::bsFrame:
      AddOutline(strokes, 1, 1, w - 1, h - 1, true, true);
      AddOutline(strokes, 0, 0, w - 2, h - 2, false, false);
      break;
    case TBevelShape::bsTopLine:
      AddLine(strokes, {0, 0}, {w, 0}, false);
      AddLine(strokes, {0, 1}, {w, 1}, true);
      break;
    case TBevelShape::bsBottomLine:
      AddLine(strokes, {0, h - 2}, {w, h - 2}, false);
      AddLine(strokes, {0, h - 1}, {w, h - 1}, true);
      break;
    case TBevelShape::bsLeftLine:
      AddLine(strokes, {0, 0}, {0, h}, false);
      AddLine(strokes, {1, 0}, {1, h}, true);
      break;
    case TBevelShape::bsRightLine:
      AddLine(strokes, {w - 2, 0}, {w - 2, h}, false);
      AddLine(strokes, {w - 1, 0}, {w - 1, h}, true);
      break;
    case TBevelShape::bsSpacer:
      break;
  }
  return strokes;
}

ButtonPicture ChooseButtonPicture(bool pressed, bool hover_shown, PicturesHeld held) {
  if (!pressed) {
    if (!held.up) return ButtonPicture::None;
    return hover_shown ? ButtonPicture::En : ButtonPicture::Up;
  }
  if (held.down) return ButtonPicture::Down;
  if (held.en) return ButtonPicture::En;
  if (held.up) return ButtonPicture::Up;
  return ButtonPicture::None;
}

LookRect ButtonPictureRect(int w, int h, uint16_t corner, int8_t unmouse, bool pressed) {
  const int shift = pressed ? unmouse : 0;
  return {corner + shift, corner + shift, w - corner + shift, h - corner + shift};
}

LookPoint ButtonCaptionOrigin(int w, int h, int text_w, int text_h, int8_t unmouse, bool pressed) {
  const int shift = pressed ? unmouse : 0;
  // Integer division truncates toward zero: (16 - 21) / 2 is -2.
  return {(w - text_w) / 2 + shift, (h - text_h) / 2 + shift};
}
