#include "shell/framework/GraphicControls.h"

#include "shell/framework/Form.h"

void TImage::SetPicture(const TPicture& picture) {
  picture_.Assign(picture);
  Invalidate();
}

void TImage::SetStretch(bool stretch) {
  stretch_ = stretch;
  Invalidate();
}

void TImage::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
  TGraphic* graphic = picture_.Graphic();
  if (!graphic) return;
  graphic->SetTransparent(transparent_);
  if (stretch_) {
    graphic->StretchDraw(canvas.Handle(), {0, 0, Width(), Height()});
  } else {
    graphic->Draw(canvas.Handle(), 0, 0);
  }
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  if (Parent()) font_.Assign(Parent()->Font());
}

void TLabel::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TLabel::SetFont(const TFont& font) {
  font_.Assign(font);
  Changed();
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed();
}

void TLabel::SetWordWrap(bool word_wrap) {
  word_wrap_ = word_wrap;
  Changed();
}

void TLabel::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  Changed();
}

UINT TLabel::Format() const {
  UINT format = DT_NOPREFIX | (word_wrap_ ? DT_WORDBREAK : DT_SINGLELINE);
  if (alignment_ == TAlignment::taRightJustify) format |= DT_RIGHT;
  if (alignment_ == TAlignment::taCenter) format |= DT_CENTER;
  return format;
}

void TLabel::Changed() {
  if (auto_size_) {
    WindowDC screen(nullptr);
    const RECT area =
        TCanvas(screen.get())
            .TextInExtent({0, 0, word_wrap_ ? Width() : 0, 0}, caption_, font_, Format());
    const int width = word_wrap_ ? Width() : area.right;
    const int left = alignment_ == TAlignment::taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, area.bottom);
  }
  Invalidate();
}

void TLabel::Paint(TCanvas& canvas) {
  const RECT area{0, 0, Width(), Height()};
  if (!transparent_ && Parent()) canvas.FillRect(area, Parent()->Color());
  canvas.TextIn(area, caption_, font_, Format());
}

void TShape::SetPen(bool visible, TColor color) {
  pen_visible_ = visible;
  pen_color_ = color;
  Invalidate();
}

void TShape::SetBrush(bool visible, TColor color) {
  brush_visible_ = visible;
  brush_color_ = color;
  Invalidate();
}

void TShape::Paint(TCanvas& canvas) {
  const RECT area{0, 0, Width(), Height()};
  if (brush_visible_) canvas.FillRect(area, brush_color_);
  if (pen_visible_) canvas.FrameRect(area, pen_color_);
}
