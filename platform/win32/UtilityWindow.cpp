// The class is registered once per process with the platform's default procedure; each window
// gets ours and its object right after creation, and loses both before it is destroyed, so no
// message reaches a dead object.
#include "platform/win32/UtilityWindow.h"

#include "core/ErrorRoute.h"

namespace {

void RegisterUtilityClass() {
  static const bool registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = UtilityWindow::kClassName;
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  (void)registered;
}

}  // namespace

UtilityWindow::UtilityWindow(TObject* sender, Handler handler)
    : sender_(sender), handler_(std::move(handler)) {
  RegisterUtilityClass();
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_) {
    // The class keeps the platform's default procedure; this window gets ours.
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
  }
}

UtilityWindow::~UtilityWindow() {
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK UtilityWindow::WindowProc(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  auto* self = reinterpret_cast<UtilityWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->handler_) return DefWindowProcW(window, message, wparam, lparam);
  TObject* sender = self->sender_;
  try {
    LRESULT result = 0;
    if (self->handler_(message, wparam, lparam, result)) return result;
  } catch (...) {
    ReportToApplicationErrorRoute(sender);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
