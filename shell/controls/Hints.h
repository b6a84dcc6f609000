// Hints: a tooltip with a short text over a control of a form, windowless controls included,
// wherever the control's anchors put it.
#pragma once

#include <map>
#include <string>

#include "shell/framework/Form.h"

class TControl;

class THints {
 public:
  explicit THints(TForm& form);
  ~THints();
  THints(const THints&) = delete;
  THints& operator=(const THints&) = delete;

  // Shows text over control; an empty text removes the hint.
  void Set(TControl& control, const std::string& text);
  const std::string& Get(const TControl& control) const;

 private:
  TForm& form_;
  HWND tooltip_ = nullptr;
  std::map<const TControl*, std::string> texts_;
};
