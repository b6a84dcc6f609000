// A one-line edit field with a sorted history list attached (a simple combo box whose list part
// is not shown). The entries live in a core HistoryList only; Up and Down in the field step to
// the previous or next entry and copy it into the field. Keys typed in the field raise the box's
// OnKeyDown and OnKeyPress.
#pragma once

#include "core/HistoryList.h"
#include "platform/win32/WindowHost.h"
#include "shell/framework/WinControl.h"

class THistoryComboBox : public TWinControl {
 public:
  explicit THistoryComboBox(TComponent* owner);

  // The entries. Changing them leaves the field's text as it was.
  HistoryList& History() { return history_; }
  const HistoryList& History() const { return history_; }

  // The edit field inside the box, which has the focus and gets the keys.
  HWND FieldHandle() const { return field_.Handle(); }

 protected:
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  bool FieldMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  void Step(bool next);

  HistoryList history_;
  // The box's own child, destroyed with it; adopted for the keys typed in it.
  AdoptedWindow field_;
};
