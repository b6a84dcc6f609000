// Each handler runs its steps in a fixed order and stops where an event handler raises; the
// flags keep whatever the earlier steps set, except that a released button is never left held.
#include "shell/logic/BButState.h"

void BButState::LeftDown(TShiftState shift, int x, int y) {
  actions_.BaseLeftDown(shift, x, y);
  if (mouse_over_) {
    pressed_ = true;
    actions_.SetLowered(true);
    actions_.PaintNow();
  }
  held_ = true;
  actions_.FirePress();
}

void BButState::LeftUp(TShiftState shift, int x, int y) {
  try {
    actions_.BaseLeftUp(shift, x, y);
    if (mouse_over_) {
      pressed_ = false;
      // The up look over the still lowered bevel first; the raised bevel comes with the queued
      // repaint, which is handled before OnClick.
      actions_.PaintNow();
      actions_.SetLowered(false);
      actions_.ProcessMessages();
      actions_.Click();
    }
  } catch (...) {
    // The button is up whatever its handlers did. Left held, it would take the pointer capture
    // and the pressed look the next time the pointer passed over it, and swallow the user's
    // next click elsewhere.
    held_ = false;
    if (pressed_) {
      pressed_ = false;
      actions_.SetLowered(false);
    }
    throw;
  }
  held_ = false;
  actions_.FireRelease();
}

void BButState::LeftDoubleClick() {
  actions_.FireChange();
  actions_.RequestRepaint();
  actions_.FireDoubleClick();
}

void BButState::PointerEntered() {
  if (!actions_.Enabled()) return;
  mouse_over_ = true;
  if (actions_.CanShowHover()) {
    hover_shown_ = true;
    actions_.PaintNow();
    actions_.RepaintAreaNow();
  } else {
    hover_shown_ = false;
  }
  // A left button still held from before the pointer left presses the button again.
  if (held_) LeftDown(0, 0, 0);
  actions_.FireMouseEnter();
}

void BButState::PointerLeft() {
  if (!actions_.Enabled()) return;
  mouse_over_ = false;
  if (pressed_) {
    pressed_ = false;
    actions_.SetLowered(false);
  }
  if (hover_shown_) {
    hover_shown_ = false;
    actions_.PaintNow();
    actions_.RepaintAreaNow();
  }
  actions_.FireMouseLeave();
}
