#include "shell/framework/WinControl.h"

#include "core/Cp1251.h"
#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "shell/framework/WindowText.h"

namespace {

HWND CreateControlWindow(const TForm& form, const wchar_t* window_class, DWORD style,
                         DWORD ex_style) {
  return CreateWindowExW(ex_style, window_class, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                         form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TWinControl::TWinControl(TComponent* owner, const wchar_t* window_class, DWORD style,
                         DWORD ex_style)
    : TControl(owner),
      font_(OwnerForm(owner).Font()),
      window_(CreateControlWindow(OwnerForm(owner), window_class, style, ex_style)),
      native_(window_.get(), this, &ReportCaughtException, Handler()) {
  if (!window_.get()) throw Exception(shell_texts::kCannotCreateWindow);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

TWinControl::TWinControl(TComponent* owner, HostedWindowShape own_class)
    : TControl(owner), font_(OwnerForm(owner).Font()), native_(nullptr, nullptr, nullptr, nullptr) {
  own_class.style |= WS_CHILD | WS_VISIBLE;
  own_class.owner = OwnerForm(owner).Handle();
  hosted_ = std::make_unique<HostedWindow>(own_class, this, &ReportCaughtException, Handler());
  if (!hosted_->Handle()) throw Exception(shell_texts::kCannotCreateWindow);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

MessageHandler TWinControl::Handler() {
  return [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    return WndProc(message, wparam, lparam, result);
  };
}

std::string TWinControl::Text() const {
  return WindowTextOf(Handle());
}

void TWinControl::SetText(const std::string& text) {
  SetWindowTextW(Handle(), WideText(text).c_str());
}

void TWinControl::SetFont(const TFont& font) {
  font_.Assign(font);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

bool TWinControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message != WM_KEYDOWN && message != WM_CHAR) return false;
  WPARAM key = wparam;
  if (RaiseKeyEvent(message, key)) result = CallNative(message, key, lparam);
  return true;
}

bool TWinControl::RaiseKeyEvent(UINT message, WPARAM& key) {
  if (message == WM_KEYDOWN) {
    const TShiftState shift = KeyboardShift();
    if (OnKeyDown) {
      WORD code = static_cast<WORD>(key);
      OnKeyDown(this, code, shift);
      key = code;
      if (code == 0) return false;
    }
    if (key == VK_TAB && !(shift & (ssCtrl | ssAlt)) && Parent()) {
      Parent()->SelectNext(*this, !(shift & ssShift));
      return false;
    }
    return true;
  }
  // The character of a Tab, which a single-line field would answer with a beep.
  if (message == WM_CHAR && key == L'\t') return false;
  if (message == WM_CHAR && OnKeyPress) {
    const char typed = cp1251::FromUtf16(static_cast<char16_t>(key));
    char changed = typed;
    OnKeyPress(this, changed);
    if (changed == 0) return false;
    if (changed != typed) key = cp1251::ToUtf16(static_cast<unsigned char>(changed));
  }
  return true;
}

void TWinControl::BoundsChanged(const RECT&) {
  MoveWindow(Handle(), Left(), Top(), Width(), Height(), TRUE);
}

void TWinControl::VisibleChanged() {
  ShowWindow(Handle(), Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  EnableWindow(Handle(), Enabled());
}
