#include "shell/logic/Anchors.h"

namespace {

struct Span {
  int start;
  int size;
};

Span AnchorAxis(Span span, bool near, bool far, int old_parent, int new_parent) {
  const int growth = new_parent - old_parent;
  if (near && far) return {span.start, span.size + growth < 0 ? 0 : span.size + growth};
  if (far) return {span.start + growth, span.size};
  if (near || old_parent <= 0) return span;
  // The centre keeps its fraction of the window (64-bit: sizes times sizes).
  const int64_t centre = static_cast<int64_t>(span.start) * 2 + span.size;
  const int64_t moved = centre * new_parent / old_parent;
  return {static_cast<int>((moved - span.size) / 2), span.size};
}

}  // namespace

ControlBounds AnchoredBounds(const AnchorOrigin& origin, TAnchors anchors, int parent_width,
                             int parent_height) {
  const ControlBounds& b = origin.bounds;
  Span x = AnchorAxis({b.left, b.width}, anchors & akLeft, anchors & akRight, origin.parent_width,
                      parent_width);
  Span y = AnchorAxis({b.top, b.height}, anchors & akTop, anchors & akBottom, origin.parent_height,
                      parent_height);
  return {x.start, y.start, x.size, y.size};
}
