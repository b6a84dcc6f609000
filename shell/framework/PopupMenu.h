// What a notification-area icon asks of a popup menu. The program's windows set no menu, so
// the framework has no native one; a menu on TrackPopupMenu would implement this.
#pragma once

#include "shell/framework/FreeNotification.h"

class TPopupMenu : public TNotifyingComponent {
 public:
  using TNotifyingComponent::TNotifyingComponent;

  // Whether the menu shows itself on the button that calls for it.
  virtual bool AutoPopup() const = 0;
  // Clicks the first top-level item, in menu order, whose default flag is set; false when none.
  virtual bool ClickDefaultItem() = 0;
  // The component that showed the menu, for the items' handlers.
  virtual void SetPopupComponent(TComponent* component) = 0;
  // Shows the menu with its top-left corner at a screen position; returns when it is closed.
  virtual void Popup(int x, int y) = 0;
};
