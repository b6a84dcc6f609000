// The bevel control: a windowless control that draws a bevel of one of several shapes, raised
// or lowered, in the system's highlight and shadow colours.
#pragma once

#include "shell/framework/Controls.h"
#include "shell/logic/BButLook.h"

class TBevel : public TGraphicControl {
 public:
  // Shape bsBox, Style bsLowered.
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  // Only a changed value is stored and repainted.
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle style);

 protected:
  void Paint(TCanvas& canvas) override { PaintBevel(canvas); }
  void PaintBevel(TCanvas& canvas);

 private:
  TBevelShape shape_ = TBevelShape::bsBox;
  TBevelStyle style_ = TBevelStyle::bsLowered;
};
