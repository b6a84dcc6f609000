// Stored values are any 32-bit numbers, so edges are computed in 64 bits.
#include "shell/logic/WindowPlace.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Span {
  int64_t low, high;
};

Span Horizontal(const ControlBounds& p) {
  return {p.left, int64_t{p.left} + p.width};
}
Span Vertical(const ControlBounds& p) {
  return {p.top, int64_t{p.top} + p.height};
}

bool Overlap(Span a, int low, int high) {
  return a.low < high && low < a.high;
}

// How far a span lies outside [low, high); 0 when they overlap or touch.
int64_t Distance(Span a, int low, int high) {
  return std::max<int64_t>({0, a.low - high, low - a.high});
}

int64_t Gap(const ControlBounds& place, const ScreenRect& area) {
  const int64_t dx = Distance(Horizontal(place), area.left, area.right);
  const int64_t dy = Distance(Vertical(place), area.top, area.bottom);
  return dx * dx + dy * dy;
}

// The start of a span of length size kept within [low, high), as close to wanted as it fits.
int Fit(int wanted, int size, int low, int high) {
  return std::max(low, std::min(wanted, high - size));
}

}  // namespace

ControlBounds VisiblePlace(const ControlBounds& stored, const std::vector<ScreenRect>& work_areas) {
  if (work_areas.empty()) return stored;
  for (const ScreenRect& area : work_areas) {
    if (Overlap(Horizontal(stored), area.left, area.right) &&
        Overlap(Vertical(stored), area.top, area.bottom)) {
      return stored;
    }
  }
  const ScreenRect& nearest = *std::min_element(
      work_areas.begin(), work_areas.end(), [&stored](const ScreenRect& a, const ScreenRect& b) {
        return Gap(stored, a) < Gap(stored, b);
      });
  ControlBounds place;
  place.width = std::clamp(stored.width, 0, nearest.right - nearest.left);
  place.height = std::clamp(stored.height, 0, nearest.bottom - nearest.top);
  place.left = Fit(stored.left, place.width, nearest.left, nearest.right);
  place.top = Fit(stored.top, place.height, nearest.top, nearest.bottom);
  return place;
}
