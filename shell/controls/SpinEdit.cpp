#include "shell/controls/SpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/Format.h"

namespace {

constexpr int kButtonsWidth = 15;
// The buttons' own position stays in the middle of this range: every step is refused, so that
// only the direction of a click counts.
constexpr int kButtonsRange = 1000;

HWND CreateButtons(HWND field) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  HWND buttons = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, field,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
  if (buttons) {
    SendMessageW(buttons, UDM_SETRANGE32, static_cast<WPARAM>(-kButtonsRange), kButtonsRange);
    SendMessageW(buttons, UDM_SETPOS32, 0, 0);
  }
  return buttons;
}

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner)
    : TWinControl(owner, L"EDIT", ES_AUTOHSCROLL | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE),
      buttons_(Handle() ? CreateButtons(Handle()) : nullptr) {
  SetValue(0);
}

TSpinEdit::~TSpinEdit() = default;

int32_t TSpinEdit::Value() const {
  return ParseInteger(Text()).value_or(0);
}

void TSpinEdit::SetValue(int32_t value) {
  SetText(std::to_string(value));
}

bool TSpinEdit::Accepts(wchar_t typed, wchar_t decimal_separator) {
  if (typed == L'\r') return false;
  return typed < 0x20 || typed == L'+' || typed == L'-' || (typed >= L'0' && typed <= L'9') ||
         typed == decimal_separator;
}

wchar_t TSpinEdit::DecimalSeparator() {
  wchar_t separator[8] = L".";
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  return separator[0];
}

void TSpinEdit::Refuse() {
  MessageBeep(MB_OK);
}

void TSpinEdit::Step(int delta) {
  // Two's complement wrap-round instead of overflow.
  SetValue(static_cast<int32_t>(static_cast<uint32_t>(Value()) + static_cast<uint32_t>(delta)));
}

bool TSpinEdit::WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_CHAR:
      if (Accepts(static_cast<wchar_t>(wparam), DecimalSeparator())) break;
      Refuse();
      return true;
    case WM_KEYDOWN: {
      WPARAM key = wparam;
      if (!RaiseKeyEvent(message, key)) return true;
      if (key == VK_UP || key == VK_DOWN) {
        Step(key == VK_UP ? 1 : -1);
      } else {
        result = CallNative(message, key, lparam);
      }
      return true;
    }
    case WM_NOTIFY: {
      const auto* change = reinterpret_cast<const NMUPDOWN*>(lparam);
      if (change->hdr.hwndFrom != buttons_.get() || change->hdr.code != UDN_DELTAPOS) break;
      if (change->iDelta != 0) Step(change->iDelta > 0 ? 1 : -1);
      result = 1;  // the buttons keep their position
      return true;
    }
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lparam) == buttons_.get()) return true;
      break;
  }
  return TWinControl::WndProc(message, wparam, lparam, result);
}

void TSpinEdit::BoundsChanged(const RECT& old_bounds) {
  TWinControl::BoundsChanged(old_bounds);
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = std::min<int>(kButtonsWidth, client.right / 2);
  MoveWindow(buttons_.get(), client.right - width, 0, width, client.bottom, TRUE);
  SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
}

void TSpinEdit::EnabledChanged() {
  TWinControl::EnabledChanged();
  EnableWindow(buttons_.get(), Enabled());
}
