#include "shell/BevLab.h"

#include "shell/framework/Application.h"
#include "shell/framework/Form.h"
#include "shell/logic/BButLook.h"

TBBut::TBBut(TComponent* owner) : TBevel(owner) {
  // The steps run through the setters, in this order, as a window definition would.
  SetStyle(TBevelStyle::bsRaised);
  SetBounds(Left(), Top(), 40, 40);
  SetCorner(4);
  SetTranspPict(false);
  SetTransparent(false);
  SetColor(clBtnFace);
  SetParentColor(true);
  TForm& form = OwnerForm(owner);
  font_.Assign(form.Font());
  font_down_.Assign(form.Font());
  SetParentFont(true);
  SetUseFontDown(true);
  SetUnMouse(1);
  SetEnabled(true);
}

void TBBut::Changed() {
  Fire(OnChange, this);
  Invalidate();
}

void TBBut::ApplyTranspPict(TPicture& picture) {
  if (picture.Holds(TGraphicKind::Bitmap)) picture.Graphic()->SetTransparent(transp_pict_);
}

void TBBut::SetPictDown(const TPicture& picture) {
  pict_down_.Assign(picture);
  Changed();
  ApplyTranspPict(pict_down_);
}

void TBBut::SetPictUp(const TPicture& picture) {
  pict_up_.Assign(picture);
  Changed();
  ApplyTranspPict(pict_up_);
}

void TBBut::SetPictEn(const TPicture& picture) {
  pict_en_.Assign(picture);
  if (pict_en_.Empty()) {
    state_.HoverPictureRemoved();
    Changed();
  } else {
    ApplyTranspPict(pict_en_);
  }
}

void TBBut::SetTranspPict(bool transp_pict) {
  transp_pict_ = transp_pict;
  Changed();
}

void TBBut::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Changed();
}

void TBBut::SetParentFont(bool parent_font) {
  parent_font_ = parent_font;
  Changed();
}

void TBBut::SetCorner(uint16_t corner) {
  corner_ = corner;
  Changed();
}

void TBBut::SetUnMouse(int8_t unmouse) {
  unmouse_ = unmouse;
  Changed();
}

void TBBut::SetFont(const TFont& font) {
  font_.Assign(font);
  SetParentFont(false);
  Invalidate();
}

void TBBut::SetFontDown(const TFont& font) {
  font_down_.Assign(font);
  Invalidate();
}

void TBBut::SetUseFontDown(bool use_font_down) {
  use_font_down_ = use_font_down;
  Changed();
}

void TBBut::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TBBut::SetColor(TColor color) {
  color_ = color;
  SetParentColor(false);
  Changed();
}

void TBBut::SetParentColor(bool parent_color) {
  parent_color_ = parent_color;
  Changed();
}

void TBBut::Click() {
  Fire(OnClick, this);
}

void TBBut::MouseButtonDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    state_.LeftDown(shift, x, y);
  } else {
    TBevel::MouseButtonDown(button, shift, x, y);
  }
}

void TBBut::MouseButtonUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    state_.LeftUp(shift, x, y);
  } else {
    TBevel::MouseButtonUp(button, shift, x, y);
  }
}

void TBBut::MouseDoubleClick(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    state_.LeftDoubleClick();
  } else {
    TBevel::MouseDoubleClick(button, shift, x, y);
  }
}

void TBBut::Paint(TCanvas& canvas) {
  PaintBevel(canvas);
  if (!transparent_) {
    const TColor fill = parent_color_ && Parent() ? Parent()->Color() : color_;
    canvas.FillRect({1, 1, Width() - 1, Height() - 1}, fill);
  }
  PaintPicture(canvas);
  PaintCaption(canvas);
}

void TBBut::PaintPicture(TCanvas& canvas) {
  const bool pressed = state_.Pressed();
  const LookRect look = ButtonPictureRect(Width(), Height(), corner_, unmouse_, pressed);
  const RECT rect{look.left, look.top, look.right, look.bottom};
  // The picture that decides the path is PictUp in the up look and PictDown in the pressed look;
  // an icon there is drawn through a bitmap of the application's icon size.
  if (!pressed) {
    ApplyTranspPict(pict_up_);
    ApplyTranspPict(pict_en_);
    if (pict_up_.Holds(TGraphicKind::Icon)) {
      // A highlighted look whose PictEn is no icon shows PictUp's icon.
      const bool en_icon = state_.HoverShown() && pict_en_.Holds(TGraphicKind::Icon);
      PaintIconThroughBitmap(canvas, rect, en_icon ? pict_en_.Graphic() : pict_up_.Graphic());
      return;
    }
  } else {
    ApplyTranspPict(pict_down_);
    if (pict_down_.Holds(TGraphicKind::Icon)) {
      PaintIconThroughBitmap(canvas, rect, pict_down_.Graphic());
      return;
    }
  }
  const PicturesHeld held{!pict_up_.Empty(), !pict_down_.Empty(), !pict_en_.Empty()};
  const TGraphic* graphic = nullptr;
  switch (ChooseButtonPicture(pressed, state_.HoverShown(), held)) {
    case ButtonPicture::Up:
      graphic = pict_up_.Graphic();
      break;
    case ButtonPicture::Down:
      graphic = pict_down_.Graphic();
      break;
    case ButtonPicture::En:
      graphic = pict_en_.Graphic();
      break;
    case ButtonPicture::None:
      break;
  }
  if (!graphic) return;
  // Any other icon is drawn unstretched at the rectangle's top-left corner.
  if (graphic->Kind() == TGraphicKind::Icon) {
    graphic->Draw(canvas.Handle(), rect.left, rect.top);
  } else {
    graphic->StretchDraw(canvas.Handle(), rect);
  }
}

void TBBut::PaintIconThroughBitmap(TCanvas& canvas, const RECT& rect, const TGraphic* icon) {
  const SIZE size = Application ? Application->IconSize() : SIZE{32, 32};
  TBitmap bitmap(size.cx, size.cy);
  {
    BitmapDC dc(bitmap);
    icon->Draw(dc.get(), 0, 0);
  }
  bitmap.SetTransparentColor(clWhite);
  bitmap.SetTransparent(transp_pict_);
  bitmap.StretchDraw(canvas.Handle(), rect);
}

void TBBut::PaintCaption(TCanvas& canvas) {
  const bool pressed = state_.Pressed();
  const TFont* font = &font_;
  if (pressed && use_font_down_) font = &font_down_;
  if (!pressed && parent_font_ && Parent()) font = &Parent()->Font();
  const SIZE extent = canvas.TextExtent(caption_, *font);
  const LookPoint at =
      ButtonCaptionOrigin(Width(), Height(), extent.cx, extent.cy, unmouse_, pressed);
  canvas.TextAt(at.x, at.y, caption_, *font);
}

bool TBBut::Actions::Enabled() {
  return button_.Enabled();
}

bool TBBut::Actions::CanShowHover() {
  return !button_.pict_en_.Empty() && button_.Parent() && button_.Parent()->Active();
}

void TBBut::Actions::BaseLeftDown(TShiftState shift, int x, int y) {
  button_.BeginPress(TMouseButton::mbLeft, shift, x, y);
}

void TBBut::Actions::BaseLeftUp(TShiftState shift, int x, int y) {
  button_.EndPress(TMouseButton::mbLeft, shift, x, y);
}

void TBBut::Actions::SetLowered(bool lowered) {
  button_.SetStyle(lowered ? TBevelStyle::bsLowered : TBevelStyle::bsRaised);
}

void TBBut::Actions::PaintNow() {
  button_.Repaint();
}

void TBBut::Actions::RepaintAreaNow() {
  if (!button_.Parent()) return;
  const RECT area = button_.BoundsRect();
  InvalidateRect(button_.Parent()->Handle(), &area, TRUE);
  UpdateWindow(button_.Parent()->Handle());
}

void TBBut::Actions::RequestRepaint() {
  button_.Invalidate();
}

void TBBut::Actions::ProcessMessages() {
  if (Application) Application->ProcessMessages();
}

void TBBut::Actions::Click() {
  button_.Click();
}

void TBBut::Actions::FirePress() {
  Fire(button_.OnPress, &button_);
}

void TBBut::Actions::FireRelease() {
  Fire(button_.OnRelease, &button_);
}

void TBBut::Actions::FireMouseEnter() {
  Fire(button_.OnMouseEnter, &button_);
}

void TBBut::Actions::FireMouseLeave() {
  Fire(button_.OnMouseLeave, &button_);
}

void TBBut::Actions::FireChange() {
  Fire(button_.OnChange, &button_);
}

void TBBut::Actions::FireDoubleClick() {
  Fire(button_.OnDBClick, &button_);
}
