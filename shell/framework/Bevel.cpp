#include "shell/framework/Bevel.h"

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {}

void TBevel::SetShape(TBevelShape shape) {
  if (shape_ == shape) return;
  shape_ = shape;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  if (style_ == style) return;
  style_ = style;
  Invalidate();
}

void TBevel::PaintBevel(TCanvas& canvas) {
  const bool raised = style_ == TBevelStyle::bsRaised;
  const TColor first = raised ? clBtnHighlight : clBtnShadow;
  const TColor second = raised ? clBtnShadow : clBtnHighlight;
  for (const BevelStroke& stroke : BevelStrokes(shape_, Width(), Height())) {
    std::vector<POINT> points;
    for (const LookPoint& point : stroke.points) points.push_back({point.x, point.y});
    canvas.Polyline(points, stroke.second ? second : first);
  }
}
