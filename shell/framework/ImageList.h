// A list of icons, for a notification-area icon that cycles through them.
#pragma once

#include <vector>

#include "shell/framework/FreeNotification.h"
#include "shell/framework/Picture.h"

class TImageList : public TNotifyingComponent {
 public:
  using TNotifyingComponent::TNotifyingComponent;

  int Count() const { return static_cast<int>(images_.size()); }
  // Copies the picture to the end of the list.
  void Add(const TPicture& picture) { images_.emplace_back(picture); }
  // A copy of image index; an empty picture outside the list.
  TPicture GetIcon(int index) const {
    return index >= 0 && index < Count() ? images_[static_cast<size_t>(index)] : TPicture();
  }

 private:
  std::vector<TPicture> images_;
};
