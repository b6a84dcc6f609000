// A one-line edit field with a sorted history list attached (a simple combo box whose list part
// is not shown). The list follows a core HistoryList; Up and Down in the field step to the
// previous or next entry and copy it into the field.
#pragma once

#include "core/HistoryList.h"
#include "shell/framework/WinControl.h"

class THistoryComboBox : public TWinControl {
 public:
  explicit THistoryComboBox(TComponent* owner);
  ~THistoryComboBox() override;

  // The entries. Adding or replacing entries through it updates the box; replacing or clearing
  // the list leaves the field's text as it was.
  HistoryList& History() { return history_; }
  const HistoryList& History() const { return history_; }

  // The entries as the box holds them (for tests).
  std::vector<std::string> ShownEntries() const;

 protected:
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  HistoryList history_;
};
