// Which windowless control the pointer is over, worked out each time the application's queue
// runs empty, and which control hears that the pointer entered or left it. While a control holds
// the pointer capture, only that control hears either.
#pragma once

template <typename Control>
class PointerTracker {
 public:
  struct Change {
    Control* left = nullptr;
    Control* entered = nullptr;
  };

  // hit: the control under the pointer (disabled ones included), or null; capture: the control
  // that holds the pointer capture, or null.
  Change Update(Control* hit, Control* capture) {
    Control* target = capture && hit != capture ? nullptr : hit;
    if (target == current_) return {};
    Change change{current_, target};
    current_ = target;
    return change;
  }

  // A control that goes away is forgotten without hearing that it was left.
  void Forget(const Control* control) {
    if (current_ == control) current_ = nullptr;
  }

  Control* Current() const { return current_; }

 private:
  Control* current_ = nullptr;
};
