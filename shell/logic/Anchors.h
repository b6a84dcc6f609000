// How a control follows its window's client area when the window is resized: each edge it is
// anchored to keeps its distance from that edge of the window.
#pragma once

#include <cstdint>

using TAnchors = uint8_t;
inline constexpr TAnchors akLeft = 1;
inline constexpr TAnchors akTop = 2;
inline constexpr TAnchors akRight = 4;
inline constexpr TAnchors akBottom = 8;

struct ControlBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ControlBounds&) const = default;
};

// A control's bounds and the client size of its window when those bounds were set.
struct AnchorOrigin {
  ControlBounds bounds;
  int parent_width = 0;
  int parent_height = 0;
};

// On each axis: both edges anchored stretches the control; only the far edge moves it with that
// edge; only the near edge keeps it; neither keeps its centre at the same fraction of the window.
ControlBounds AnchoredBounds(const AnchorOrigin& origin, TAnchors anchors, int parent_width,
                             int parent_height);

// A size held to a minimum; sizes are never negative, so a minimum of 0 means none.
inline int AtLeast(int size, int minimum) {
  return size < minimum ? minimum : size;
}
