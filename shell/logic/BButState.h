// The skinned button's four flags and the order of everything it does on a pointer
// notification. The window side (TBBut) carries out the actions and paints the look that the
// flags select; this part decides nothing about pixels.
#pragma once

#include "shell/logic/Mouse.h"

// What the state machine asks of the button. Any action that runs an event handler may raise;
// the notification's handling then ends at that point, with the flags as they were left, except
// that a left-button-up always clears Held.
class BButActions {
 public:
  virtual ~BButActions() = default;
  virtual bool Enabled() = 0;
  // PictEn holds a graphic and the holding window is the active window.
  virtual bool CanShowHover() = 0;
  // Base handling of a left-button-down: the holding window's focused control cancels any mode,
  // the button takes the pointer capture, OnMouseDown fires.
  virtual void BaseLeftDown(TShiftState shift, int x, int y) = 0;
  // Base handling of a left-button-up: the capture is released, OnMouseUp fires.
  virtual void BaseLeftUp(TShiftState shift, int x, int y) = 0;
  // The bevel style; a repaint is requested only when it changes.
  virtual void SetLowered(bool lowered) = 0;
  virtual void PaintNow() = 0;
  // Repaints the button's area of the holding window at once, background included.
  virtual void RepaintAreaNow() = 0;
  virtual void RequestRepaint() = 0;
  // Processes every queued message, paints included, and returns.
  virtual void ProcessMessages() = 0;
  virtual void Click() = 0;
  virtual void FirePress() = 0;
  virtual void FireRelease() = 0;
  virtual void FireMouseEnter() = 0;
  virtual void FireMouseLeave() = 0;
  virtual void FireChange() = 0;
  virtual void FireDoubleClick() = 0;
};

class BButState {
 public:
  explicit BButState(BButActions& actions) : actions_(actions) {}

  // Delivered only to an enabled, visible button under the pointer (or holding the capture).
  void LeftDown(TShiftState shift, int x, int y);
  void LeftUp(TShiftState shift, int x, int y);
  // Arrives in place of the second left-button-down of a double-click.
  void LeftDoubleClick();
  // Worked out by the application when its queue runs empty; disabled buttons receive them too.
  void PointerEntered();
  void PointerLeft();
  // PictEn was emptied: the up look shows PictUp again.
  void HoverPictureRemoved() { hover_shown_ = false; }

  bool MouseOver() const { return mouse_over_; }
  bool Held() const { return held_; }
  bool Pressed() const { return pressed_; }
  bool HoverShown() const { return hover_shown_; }

 private:
  BButActions& actions_;
  bool mouse_over_ = false;
  bool held_ = false;
  bool pressed_ = false;
  bool hover_shown_ = false;
};
