#include "shell/framework/WinControl.h"

#include "core/Cp1251.h"
#include "platform/win32/WideText.h"
#include "shell/framework/WindowText.h"

namespace {
// Where a control's window keeps its object.
const wchar_t kObjectProperty[] = L"ZirkControl";
}  // namespace

TWinControl::TWinControl(TComponent* owner, const wchar_t* window_class, DWORD style,
                         DWORD ex_style)
    : TControl(owner) {
  TForm& form = OwnerForm(owner);
  font_.Assign(form.Font());
  handle_ = CreateWindowExW(ex_style, window_class, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                            form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!handle_) return;
  SetPropW(handle_, kObjectProperty, this);
  native_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowThunk)));
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

TWinControl::~TWinControl() {
  if (!handle_) return;
  SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(native_));
  RemovePropW(handle_, kObjectProperty);
  DestroyWindow(handle_);
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropW(window, kObjectProperty)) : nullptr;
}

std::string TWinControl::Text() const {
  return WindowTextOf(handle_);
}

void TWinControl::SetText(const std::string& text) {
  SetWindowTextW(handle_, WideText(text).c_str());
}

void TWinControl::SetFont(const TFont& font) {
  font_.Assign(font);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

void TWinControl::SetFocus() {
  ::SetFocus(handle_);
}

bool TWinControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message != WM_KEYDOWN && message != WM_CHAR) return false;
  WPARAM key = wparam;
  if (RaiseKeyEvent(message, key)) result = CallNative(message, key, lparam);
  return true;
}

bool TWinControl::RaiseKeyEvent(UINT message, WPARAM& key) {
  if (message == WM_KEYDOWN && OnKeyDown) {
    WORD code = static_cast<WORD>(key);
    OnKeyDown(this, code, KeyboardShift());
    key = code;
    return code != 0;
  }
  if (message == WM_CHAR && OnKeyPress) {
    const char typed = cp1251::FromUtf16(static_cast<char16_t>(key));
    char changed = typed;
    OnKeyPress(this, changed);
    if (changed == 0) return false;
    if (changed != typed) key = cp1251::ToUtf16(static_cast<unsigned char>(changed));
  }
  return true;
}

LRESULT TWinControl::CallNative(UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcW(native_, handle_, message, wparam, lparam);
}

void TWinControl::BoundsChanged(const RECT&) {
  MoveWindow(handle_, Left(), Top(), Width(), Height(), TRUE);
}

void TWinControl::VisibleChanged() {
  ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  EnableWindow(handle_, Enabled());
}

LRESULT CALLBACK TWinControl::WindowThunk(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  TWinControl* self = FromHandle(window);
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  try {
    LRESULT result = 0;
    if (self->WndProc(message, wparam, lparam, result)) return result;
    return self->CallNative(message, wparam, lparam);
  } catch (...) {
    ReportCaughtException(self);
    return 0;
  }
}
