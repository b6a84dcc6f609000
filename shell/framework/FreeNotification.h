// A component that others refer to without owning it (an image list, a popup menu) tells them
// when it is destroyed, so that they forget it.
#pragma once

#include <functional>
#include <map>

#include "core/Component.h"

class TNotifyingComponent : public TComponent {
 public:
  using Gone = std::function<void(TComponent* component)>;

  using TComponent::TComponent;
  ~TNotifyingComponent() override {
    // Moved out first: a watcher may remove itself or others while it is told.
    std::map<const void*, Gone> watchers = std::move(watchers_);
    watchers_.clear();
    for (auto& [watcher, gone] : watchers) gone(this);
  }

  // gone runs once when this component is destroyed, unless the watcher is removed before.
  void FreeNotification(const void* watcher, Gone gone) { watchers_[watcher] = std::move(gone); }
  void RemoveFreeNotification(const void* watcher) { watchers_.erase(watcher); }

 private:
  std::map<const void*, Gone> watchers_;
};
