// The controls a form holds. TControl is their common part (place, anchors, visibility,
// enabled state); TGraphicControl is a windowless control: it has no window of its own, draws
// itself on its form's canvas within its rectangle, and gets its pointer notifications from the
// form (a failure in one is reported with the form as sender).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/Component.h"
#include "core/Errors.h"
#include "shell/framework/Graphics.h"
#include "shell/logic/Anchors.h"
#include "shell/logic/Mouse.h"

class TForm;

// A typecast that does not hold, such as a control owner that is not a form.
class EInvalidCast : public Exception {
 public:
  using Exception::Exception;
};

// The owner as a form; raises EInvalidCast (shell_texts::kInvalidCast) for any other owner.
TForm& OwnerForm(TComponent* owner);

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

class TControl : public TComponent {
 public:
  // A control whose owner is a form belongs to that form; with another owner it has none.
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TForm* Parent() const { return parent_; }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  RECT BoundsRect() const;
  // Also notes the form's client size, from which the anchors then work.
  void SetBounds(int left, int top, int width, int height);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);

  // For the form: its client area is now this size.
  void FollowParentSize(int client_width, int client_height);

 protected:
  virtual void BoundsChanged(const RECT& old_bounds) { (void)old_bounds; }
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}

 private:
  friend class TForm;
  void NoteAnchorOrigin();

  TForm* parent_;
  ControlBounds bounds_;
  AnchorOrigin anchor_origin_;
  TAnchors anchors_ = akLeft | akTop;
  bool visible_ = true;
  bool enabled_ = true;
};

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

  // A system cursor (IDC_...) shown while the pointer is over the control.
  LPCWSTR Cursor() const { return cursor_; }
  void SetCursor(LPCWSTR cursor) { cursor_ = cursor; }

  // Asks the form to repaint the control's area, background included.
  void Invalidate();
  // Paints the control's area of the form's window now, with what lies under and over it.
  void Repaint();
  // Paints with (x, y) as the control's top-left corner, clipped to its rectangle.
  void PaintTo(HDC dc, int x, int y);
  // Fires OnClick.
  virtual void Click();

  // Pointer notifications from the form, at positions relative to the control. Buttons reach
  // only an enabled, visible control under the pointer, or the one holding the capture.
  virtual void MouseButtonDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseButtonUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseDoubleClick(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMoved(TShiftState shift, int x, int y);
  // Worked out by the application when its queue runs empty; disabled controls hear them too.
  virtual void MouseEntered() {}
  virtual void MouseLeft() {}

 protected:
  virtual void Paint(TCanvas& canvas) = 0;
  // The start of every press: the form's focused control cancels any mode in progress, this
  // control takes the pointer capture, OnMouseDown fires.
  void BeginPress(TMouseButton button, TShiftState shift, int x, int y);
  // The end of every press: the capture is released, OnMouseUp fires.
  void EndPress(TMouseButton button, TShiftState shift, int x, int y);
  void SetMouseCapture(bool capture);

  void BoundsChanged(const RECT& old_bounds) override;
  void VisibleChanged() override { Invalidate(); }
  void EnabledChanged() override { Invalidate(); }

 private:
  void InvalidateArea(const RECT& rect);

  LPCWSTR cursor_ = IDC_ARROW;
};
