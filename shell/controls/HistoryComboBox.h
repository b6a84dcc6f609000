// A one-line edit field with a sorted history list attached (a simple combo box whose list part
// is not shown). The list follows a core HistoryList; Up and Down in the field step to the
// previous or next entry and copy it into the field. Keys typed in the field raise the box's
// OnKeyDown and OnKeyPress.
#pragma once

#include <string>
#include <vector>

#include "core/HistoryList.h"
#include "platform/win32/WindowHost.h"
#include "shell/framework/WinControl.h"

class THistoryComboBox : public TWinControl {
 public:
  explicit THistoryComboBox(TComponent* owner);

  // The entries. Adding or replacing entries through it updates the box; replacing or clearing
  // the list leaves the field's text as it was.
  HistoryList& History() { return history_; }
  const HistoryList& History() const { return history_; }

  // The entries as the box holds them (for tests).
  std::vector<std::string> ShownEntries() const;
  // The edit field inside the box, which has the focus and gets the keys.
  HWND FieldHandle() const { return field_.Handle(); }

 protected:
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  bool FieldMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
  void Step(bool next);
  void ShowAll();

  HistoryList history_;
  // The box's own child, destroyed with it; adopted for the keys typed in it.
  AdoptedWindow field_;
};
