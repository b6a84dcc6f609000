#include "shell/controls/DropDownList.h"

#include "platform/win32/WideText.h"

TDropDownList::TDropDownList(TComponent* owner)
    : TWinControl(owner, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL) {}

void TDropDownList::SetItems(const std::vector<std::string>& items) {
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(item).c_str()));
  }
  BoundsChanged(BoundsRect());
}

int TDropDownList::ItemIndex() const {
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void TDropDownList::SetItemIndex(int index) {
  const auto count = static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
  SendMessageW(Handle(), CB_SETCURSEL, index >= 0 && index < count ? index : -1, 0);
}

void TDropDownList::SetFieldHeight(int height) {
  // The box is its selection field plus a frame; the field is sized so that the whole comes out
  // at the height asked for.
  const int frame = FieldHeight() - static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT,
                                                                  static_cast<WPARAM>(-1), 0));
  SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - frame);
  SetBounds(Left(), Top(), Width(), height);
}

int TDropDownList::FieldHeight() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  RECT box{};
  GetWindowRect(Handle(), &box);
  // Some systems report the window with its dropped list: the closed box ends below its field.
  if (GetComboBoxInfo(Handle(), &info)) {
    return std::min<int>(box.bottom - box.top, info.rcItem.bottom + info.rcItem.top);
  }
  return box.bottom - box.top;
}

void TDropDownList::BoundsChanged(const RECT&) {
  // The window's height also gives the dropped list's height.
  const auto count = static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
  const auto item = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
  const int list = std::max(1, std::min(count, kDropDownCount)) * item + 2;
  MoveWindow(Handle(), Left(), Top(), Width(), Height() + list, TRUE);
}
