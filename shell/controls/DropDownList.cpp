#include "shell/controls/DropDownList.h"

#include <algorithm>

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
  // The box is its selection field plus a frame, and what the platform makes of a field height
  // is its own affair: the height asked for is corrected by what the box comes out too high or
  // too low until it fits.
  auto asked =
      static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 3 && FieldHeight() != height; ++attempt) {
    asked += height - FieldHeight();
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), asked);
  }
  SetBounds(Left(), Top(), Width(), height);
}

int TDropDownList::FieldHeight() const {
  RECT box{};
  GetWindowRect(Handle(), &box);
  return box.bottom - box.top;
}

void TDropDownList::BoundsChanged(const RECT&) {
  // The window's height also gives the dropped list's height.
  const auto count = static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
  const auto item = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
  const int list = std::max(1, std::min(count, kDropDownCount)) * item + 2;
  MoveWindow(Handle(), Left(), Top(), Width(), Height() + list, TRUE);
}
