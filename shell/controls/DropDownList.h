// A drop-down list whose field cannot be edited: a fixed set of entries and a selected index.
// Its bounds are those of the closed box; the list drops below them.
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
  // The height of the closed box (its selection field), in pixels; the control's height
  // becomes the same.
  void SetFieldHeight(int height);
  int FieldHeight() const;

  // How many entries the dropped list shows without scrolling.
  static constexpr int kDropDownCount = 8;

 protected:
  void BoundsChanged(const RECT& old_bounds) override;
};
