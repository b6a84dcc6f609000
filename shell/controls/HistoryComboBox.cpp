#include "shell/controls/HistoryComboBox.h"

#include "platform/win32/WideText.h"
#include "shell/logic/HistoryStep.h"

namespace {

// The edit field inside a simple combo box.
HWND FieldOf(HWND box) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return box && GetComboBoxInfo(box, &info) ? info.hwndItem : nullptr;
}

std::string ItemText(HWND box, WPARAM index) {
  const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return NarrowText(text);
}

}  // namespace

// No sorting by the box itself: the history list says where each entry goes. The list part is
// as high as the box leaves it, which at one line high is nothing.
THistoryComboBox::THistoryComboBox(TComponent* owner)
    : TWinControl(owner, L"COMBOBOX", CBS_SIMPLE | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT),
      field_(FieldOf(Handle()), this, &ReportCaughtException,
             [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
               return FieldMessage(message, wparam, lparam, result);
             }) {
  history_.OnInserted = [this](size_t index, const std::string& text) {
    SendMessageW(Handle(), CB_INSERTSTRING, index,
                 reinterpret_cast<LPARAM>(WideText(text).c_str()));
  };
  history_.OnReplaced = [this] { ShowAll(); };
}

std::vector<std::string> THistoryComboBox::ShownEntries() const {
  std::vector<std::string> entries;
  const LRESULT count = SendMessageW(Handle(), CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) entries.push_back(ItemText(Handle(), static_cast<WPARAM>(i)));
  return entries;
}

bool THistoryComboBox::WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  // The box hands keys sent to it on to its field, where the key events are raised.
  if (message == WM_KEYDOWN || message == WM_CHAR) return false;
  return TWinControl::WndProc(message, wparam, lparam, result);
}

bool THistoryComboBox::FieldMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message != WM_KEYDOWN && message != WM_CHAR) return false;
  WPARAM key = wparam;
  if (!RaiseKeyEvent(message, key)) return true;
  if (message == WM_KEYDOWN && (key == VK_UP || key == VK_DOWN)) {
    Step(key == VK_DOWN);
    return true;
  }
  result = field_.CallNext(message, key, lparam);
  return true;
}

void THistoryComboBox::Step(bool next) {
  const std::optional<size_t> index = HistoryStep(
      history_.Entries(), Text(), next ? HistoryDirection::Next : HistoryDirection::Previous);
  if (!index) return;
  SetText(history_.Entries()[*index]);
  SendMessageW(field_.Handle(), EM_SETSEL, 0, -1);
}

void THistoryComboBox::ShowAll() {
  const std::string text = Text();
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : history_.Entries()) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(entry).c_str()));
  }
  if (Text() != text) SetText(text);
}
