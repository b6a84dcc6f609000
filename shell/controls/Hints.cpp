#include "shell/controls/Hints.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"
#include "shell/framework/WinControl.h"

namespace {

HWND CreateTooltip(HWND form) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

TOOLINFOW ToolOf(HWND form, UINT_PTR id) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form;
  tool.uId = id;
  return tool;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM windows) {
  reinterpret_cast<std::vector<UINT_PTR>*>(windows)->push_back(reinterpret_cast<UINT_PTR>(child));
  return TRUE;
}

}  // namespace

THints::THints(TForm& form)
    : form_(form),
      form_window_(form.Handle(), &form, &ReportCaughtException,
                   [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
                     return FormMessage(message, wparam, lparam, result);
                   }) {}

void THints::Set(TControl& control, const std::string& text) {
  auto found = hints_.find(&control);
  if (found != hints_.end()) {
    RemoveTools(found->second);
    hints_.erase(found);
  }
  if (text.empty()) return;
  Hint& hint = hints_[&control];
  hint.text = text;
  if (!tooltip_.get()) return;
  AddTools(control, hint, WideText(text));
  PlaceAreas();
}

void THints::MakeTooltip() {
  if (tooltip_.get()) return;
  tooltip_ = WindowOwner(CreateTooltip(form_.Handle()));
  for (auto& [control, hint] : hints_) AddTools(*control, hint, WideText(hint.text));
  PlaceAreas();
}

const std::string& THints::Get(const TControl& control) const {
  static const std::string none;
  auto found = hints_.find(&control);
  return found == hints_.end() ? none : found->second.text;
}

void THints::AddTools(const TControl& control, Hint& hint, const std::wstring& text) {
  if (auto* windowed = dynamic_cast<const TWinControl*>(&control)) {
    // The pointer may be over the control's own children (a combo box's field, say).
    hint.windows.push_back(reinterpret_cast<UINT_PTR>(windowed->Handle()));
    EnumChildWindows(windowed->Handle(), CollectChild, reinterpret_cast<LPARAM>(&hint.windows));
    for (UINT_PTR window : hint.windows) {
      TOOLINFOW tool = ToolOf(form_.Handle(), window);
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.lpszText = const_cast<wchar_t*>(text.c_str());
      SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return;
  }
  // A windowless control is a rectangle of the form; the form's pointer messages are relayed.
  hint.area = next_area_++;
  TOOLINFOW tool = ToolOf(form_.Handle(), hint.area);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void THints::RemoveTools(const Hint& hint) {
  std::vector<UINT_PTR> ids = hint.windows;
  if (hint.area) ids.push_back(hint.area);
  for (UINT_PTR id : ids) {
    TOOLINFOW tool = ToolOf(form_.Handle(), id);
    SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void THints::PlaceAreas() {
  for (const auto& [control, hint] : hints_) {
    if (!hint.area) continue;
    TOOLINFOW tool = ToolOf(form_.Handle(), hint.area);
    if (control->Visible()) tool.rect = control->BoundsRect();
    SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

bool THints::FormMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  switch (message) {
    case WM_SETCURSOR:
      // Before every pointer message, over the form and (passed up by the controls' default
      // handling) over its controls.
      MakeTooltip();
      return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
      MakeTooltip();
      if (message == WM_MOUSEMOVE) PlaceAreas();
      MSG relayed{
          form_.Handle(), message, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
      SendMessageW(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
      return false;
    }
    case WM_SIZE:
      // The controls follow their anchors in the form's own handling.
      result = form_window_.CallNext(message, wparam, lparam);
      if (tooltip_.get()) PlaceAreas();
      return true;
  }
  return false;
}
