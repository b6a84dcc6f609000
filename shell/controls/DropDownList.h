// A drop-down list whose field cannot be edited: a fixed set of entries and a selected index.
#pragma once

#include <string>
#include <vector>

#include "shell/framework/WinControl.h"

class TDropDownList : public TWinControl {
 public:
  explicit TDropDownList(TComponent* owner);

  void SetItems(const std::vector<std::string>& items);
  // -1 when nothing is selected.
  int ItemIndex() const;
  // An index outside the entries selects nothing (-1).
  void SetItemIndex(int index);
  // The height of the closed box (its selection field), in pixels.
  void SetFieldHeight(int height);
  int FieldHeight() const;
};
