#include "shell/framework/Controls.h"

#include "shell/ShellTexts.h"
#include "shell/framework/Application.h"
#include "shell/framework/Form.h"

TForm& OwnerForm(TComponent* owner) {
  auto* form = dynamic_cast<TForm*>(owner);
  if (!form) throw EInvalidCast(shell_texts::kInvalidCast);
  return *form;
}

TControl::TControl(TComponent* owner) : TComponent(owner), parent_(dynamic_cast<TForm*>(owner)) {
  if (parent_) parent_->InsertControl(this);
  NoteAnchorOrigin();
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

RECT TControl::BoundsRect() const {
  return {bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height};
}

void TControl::SetBounds(int left, int top, int width, int height) {
  const RECT old = BoundsRect();
  bounds_ = {left, top, width, height};
  NoteAnchorOrigin();
  BoundsChanged(old);
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  VisibleChanged();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  EnabledChanged();
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  NoteAnchorOrigin();
}

void TControl::FollowParentSize(int client_width, int client_height) {
  const RECT old = BoundsRect();
  bounds_ = AnchoredBounds(anchor_origin_, anchors_, client_width, client_height);
  BoundsChanged(old);
}

void TControl::NoteAnchorOrigin() {
  anchor_origin_ = {bounds_, parent_ ? parent_->ClientWidth() : 0,
                    parent_ ? parent_->ClientHeight() : 0};
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() {
  SetMouseCapture(false);
  if (Application) Application->ControlGone(this);
}

void TGraphicControl::Invalidate() {
  InvalidateArea(BoundsRect());
}

void TGraphicControl::InvalidateArea(const RECT& rect) {
  // A hidden window keeps no update region and is painted whole when shown: asking would be a
  // trip to the system for nothing, hundreds of times while a form is being built.
  if (Parent() && Parent()->Handle() && IsWindowVisible(Parent()->Handle())) {
    ::InvalidateRect(Parent()->Handle(), &rect, TRUE);
  }
}

void TGraphicControl::Repaint() {
  if (!Parent() || !Visible()) return;
  WindowDC dc(Parent()->Handle());
  Parent()->PaintArea(dc.get(), BoundsRect());
}

void TGraphicControl::PaintTo(HDC dc, int x, int y) {
  SavedDC saved(dc);
  IntersectClipRect(dc, x, y, x + Width(), y + Height());
  OffsetViewportOrgEx(dc, x, y, nullptr);
  TCanvas canvas(dc);
  Paint(canvas);
}

void TGraphicControl::Click() {
  Fire(OnClick, this);
}

void TGraphicControl::BeginPress(TMouseButton button, TShiftState shift, int x, int y) {
  if (Parent()) {
    HWND focus = GetFocus();
    if (focus && IsChild(Parent()->Handle(), focus)) SendMessageW(focus, WM_CANCELMODE, 0, 0);
  }
  SetMouseCapture(true);
  Fire(OnMouseDown, this, button, shift, x, y);
}

void TGraphicControl::EndPress(TMouseButton button, TShiftState shift, int x, int y) {
  SetMouseCapture(false);
  Fire(OnMouseUp, this, button, shift, x, y);
}

void TGraphicControl::MouseButtonDown(TMouseButton button, TShiftState shift, int x, int y) {
  BeginPress(button, shift, x, y);
}

void TGraphicControl::MouseButtonUp(TMouseButton button, TShiftState shift, int x, int y) {
  SetMouseCapture(false);
  if (button == TMouseButton::mbLeft && x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
  Fire(OnMouseUp, this, button, shift, x, y);
}

void TGraphicControl::MouseDoubleClick(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) Fire(OnDblClick, this);
  BeginPress(button, shift | ssDouble, x, y);
}

void TGraphicControl::MouseMoved(TShiftState shift, int x, int y) {
  Fire(OnMouseMove, this, shift, x, y);
}

void TGraphicControl::SetMouseCapture(bool capture) {
  if (!Parent()) return;
  if (capture) {
    Parent()->SetCaptureControl(this);
  } else if (Parent()->CaptureControl() == this) {
    Parent()->SetCaptureControl(nullptr);
  }
}

void TGraphicControl::BoundsChanged(const RECT& old_bounds) {
  InvalidateArea(old_bounds);
  Invalidate();
}
