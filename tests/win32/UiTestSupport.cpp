#include "win32/UiTestSupport.h"

#include "platform/win32/WideText.h"
#include "shell/framework/Application.h"

namespace {

const UINT_PTR kTimerId = 1;

std::string TextOf(HWND window) {
  wchar_t buffer[1024];
  const int length = window ? GetWindowTextW(window, buffer, 1024) : 0;
  return NarrowText(std::wstring_view(buffer, length > 0 ? length : 0));
}

BOOL CALLBACK FindErrorIcon(HWND child, LPARAM found) {
  HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  if (icon && icon == LoadIconW(nullptr, IDI_ERROR)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

thread_local FocusWatch* focus_watch = nullptr;

LRESULT CALLBACK WatchFocus(int code, WPARAM wparam, LPARAM lparam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && focus_watch) {
    if (call->message == WM_ACTIVATE && LOWORD(call->wParam) != WA_INACTIVE)
      focus_watch->activated = call->hwnd;
    if (call->message == WM_SETFOCUS) focus_watch->focused = call->hwnd;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  UtilityWindow waker(nullptr, [](UINT, WPARAM, LPARAM, LRESULT&) { return false; });
  SetTimer(waker.Handle(), kTimerId, 10, nullptr);
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!done()) {
    if (GetTickCount64() > deadline) return false;
    if (Application) {
      Application->HandleMessage();
    } else {
      MSG message;
      if (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    }
  }
  return true;
}

void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

HWND KeyTarget(HWND control) {
  HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr);
  return edit ? edit : control;
}

void PressKey(HWND window, WORD key) {
  SendMessageW(window, WM_KEYDOWN, key, 1);
  SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

FocusWatch::FocusWatch()
    : hook_(SetWindowsHookExW(WH_CALLWNDPROC, WatchFocus, nullptr, GetCurrentThreadId())) {
  focus_watch = this;
}

FocusWatch::~FocusWatch() {
  focus_watch = nullptr;
  if (hook_) UnhookWindowsHookEx(hook_);
}

void TypeKey(HWND window, WORD key) {
  const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(window, WM_KEYDOWN, key, scan | 1);
  PostMessageW(window, WM_KEYUP, key, scan | 0xC0000001);
  PumpPending();
}

ErrorBoxWatcher::ErrorBoxWatcher()
    : window_(nullptr, [this](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message != WM_TIMER) return false;
        Look();
        return true;
      }) {
  SetTimer(window_.Handle(), kTimerId, 10, nullptr);
}

ErrorBoxWatcher::~ErrorBoxWatcher() {
  KillTimer(window_.Handle(), kTimerId);
}

std::vector<HWND> ErrorBoxWatcher::OpenBoxes() {
  std::vector<HWND> boxes;
  const DWORD thread = GetCurrentThreadId();
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    wchar_t name[16];
    if (GetWindowThreadProcessId(window, nullptr) != thread || !IsWindowVisible(window)) continue;
    if (GetClassNameW(window, name, 16) && std::wstring(name) == L"#32770") boxes.push_back(window);
  }
  return boxes;
}

void ErrorBoxWatcher::Look() {
  for (HWND box : OpenBoxes()) {
    if (recorded_.insert(box).second) {
      SeenBox seen_box;
      seen_box.window = box;
      seen_box.caption = TextOf(box);
      seen_box.text = TextOf(GetDlgItem(box, 0xFFFF));
      seen_box.only_ok = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) &&
                         !GetDlgItem(box, IDYES) && !GetDlgItem(box, IDNO) &&
                         !GetDlgItem(box, IDRETRY) && !GetDlgItem(box, IDABORT);
      EnumChildWindows(box, FindErrorIcon, reinterpret_cast<LPARAM>(&seen_box.error_icon));
      seen.push_back(seen_box);
      if (on_seen) on_seen(seen_box);
    }
  }
  if (hold && hold()) return;
  for (HWND box : OpenBoxes()) {
    if (IsWindowEnabled(box)) PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}
