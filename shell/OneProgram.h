// TOneProgram: lets one copy of the program run. When the window that holds it has been loaded,
// it claims a mutex named after the application title; if another copy holds it already, it
// brings that copy's application window to the front, keeps this copy's main window from being
// shown and asks this copy to end. It never shows anything.
#pragma once

#include <windows.h>

#include "core/Component.h"
#include "platform/win32/Handle.h"

class TOneProgram : public TComponent {
 public:
  // The longest title the guard's buffer holds; a longer one is cut.
  static constexpr size_t kMaxNameLength = 256;

  explicit TOneProgram(TComponent* owner) : TComponent(owner) {}

  bool SwitchToPrevious = true;
  // Raised in a copy that finds another one running (also when the mutex cannot be made).
  TNotifyEvent AlreadyExist;

  HANDLE MutexHandle() const { return mutex_.get(); }
  bool GuardLoaded() const { return guard_loaded_; }

 protected:
  // The check; runs once, after the owner's stored properties are read.
  void Loaded() override;

 private:
  UniqueHandle mutex_;
  bool guard_loaded_ = false;
};
