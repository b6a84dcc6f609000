// Hints: a tooltip with a short text over a control of a form, windowless controls included,
// wherever the control's anchors put it. The tooltip is made when the pointer first comes over
// the form or one of its controls, not with the form, so that the form shows sooner. The form
// and the controls that have a hint outlive the hints object.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/WindowHost.h"
#include "shell/framework/Form.h"

class TControl;

class THints {
 public:
  explicit THints(TForm& form);
  THints(const THints&) = delete;
  THints& operator=(const THints&) = delete;

  // Shows text over control; an empty text removes the hint.
  void Set(TControl& control, const std::string& text);
  const std::string& Get(const TControl& control) const;

  // Null until the pointer has come over the form.
  HWND TooltipHandle() const { return tooltip_.get(); }

 private:
  struct Hint {
    std::string text;
    // The tooltip's tools, once it is made.
    std::vector<UINT_PTR> windows;  // a windowed control's window and its children
    UINT_PTR area = 0;              // a windowless control's rectangle on the form
  };

  // The form's messages, before its own handling: pointer messages go to the tooltip too.
  bool FormMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  // Makes the tooltip with the hints set so far, once.
  void MakeTooltip();
  void AddTools(const TControl& control, Hint& hint, const std::wstring& text);
  void RemoveTools(const Hint& hint);
  // Windowless controls' rectangles where they are now (empty while hidden).
  void PlaceAreas();

  TForm& form_;
  WindowOwner tooltip_;
  std::map<const TControl*, Hint> hints_;
  UINT_PTR next_area_ = 1;
  AdoptedWindow form_window_;
};
