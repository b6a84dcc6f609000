// A hosted window keeps its host in GWLP_USERDATA. An adopted window keeps the chain of its
// adopters in a window property; the chain's procedure replaces the window's own once, whatever
// the number of adopters, and goes only when it is still in front and the last adopter leaves.
// An adopter that leaves while a message runs is blanked and swept when the message is done.
#include "platform/win32/WindowHost.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const wchar_t kChainProperty[] = L"ZirkAdopters";

void RegisterOnce(const HostedWindowShape& shape, WNDPROC procedure) {
  static std::set<std::wstring> registered;
  if (registered.count(shape.class_name)) return;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = shape.class_style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = shape.cursor ? LoadCursorW(nullptr, shape.cursor) : nullptr;
  window_class.lpszClassName = shape.class_name;
  if (RegisterClassExW(&window_class)) registered.insert(shape.class_name);
}

// Runs the handler as the catch point of its window: true when it handled the message.
bool HandleAsCatchPoint(const MessageHandler& handler, TObject* sender, FailureReport report,
                        UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  try {
    return handler(message, wparam, lparam, result);
  } catch (...) {
    // Whatever the message acquired (a paint's device context) is released by now.
    if (report) report(sender);
    result = 0;
    return true;
  }
}

}  // namespace

// --- windows the program creates -----------------------------------------------------------------

HostedWindow::HostedWindow(const HostedWindowShape& shape, TObject* sender, FailureReport report,
                           MessageHandler handler)
    : sender_(sender), report_(report), handler_(std::move(handler)) {
  RegisterOnce(shape, &Procedure);
  window_ = CreateWindowExW(shape.ex_style, shape.class_name, L"", shape.style, shape.left,
                            shape.top, shape.width, shape.height, shape.owner, nullptr,
                            GetModuleHandleW(nullptr), this);
}

void HostedWindow::Destroy() {
  if (!window_) return;
  HWND window = std::exchange(window_, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

TObject* HostedWindow::SenderOf(HWND window) {
  if (!window) return nullptr;
  // Another process's windows may carry our class names and pointers of their own.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() ||
      GetClassLongPtrW(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Procedure)) {
    return nullptr;
  }
  auto* host = reinterpret_cast<HostedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return host ? host->sender_ : nullptr;
}

LRESULT CALLBACK HostedWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<HostedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* host = reinterpret_cast<HostedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!host || !host->handler_) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT result = 0;
  const bool handled = HandleAsCatchPoint(host->handler_, host->sender_, host->report_, message,
                                          wparam, lparam, result);
  if (message == WM_NCDESTROY) {
    // Destroyed by someone else: the host has no window any more.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    host->window_ = nullptr;
  }
  return handled ? result : DefWindowProcW(window, message, wparam, lparam);
}

// --- windows the program adopts ------------------------------------------------------------------

struct AdoptedWindow::Chain {
  WNDPROC original = nullptr;
  std::vector<AdoptedWindow*> adopters;  // oldest first; null where one left during a message
  int running = 0;
  bool destroyed = false;
};

AdoptedWindow::Chain* AdoptedWindow::ChainOf(HWND window) {
  return static_cast<Chain*>(GetPropW(window, kChainProperty));
}

AdoptedWindow::AdoptedWindow(HWND window, TObject* sender, FailureReport report,
                             MessageHandler handler)
    : window_(window), sender_(sender), report_(report), handler_(std::move(handler)) {
  if (!window_) return;
  Chain* chain = ChainOf(window_);
  if (!chain) {
    auto created = std::make_unique<Chain>();
    created->original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
    SetPropW(window_, kChainProperty, created.get());
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    chain = created.release();
  }
  chain->adopters.push_back(this);
}

AdoptedWindow::~AdoptedWindow() {
  // Once the window is gone it has no chain.
  Chain* chain = window_ ? ChainOf(window_) : nullptr;
  if (!chain) return;
  auto found = std::find(chain->adopters.begin(), chain->adopters.end(), this);
  if (found == chain->adopters.end()) return;
  *found = nullptr;
  if (chain->running == 0) Tidy(window_, chain);
}

LRESULT AdoptedWindow::CallNext(UINT message, WPARAM wparam, LPARAM lparam) {
  Chain* chain = window_ ? ChainOf(window_) : nullptr;
  if (!chain) return window_ ? DefWindowProcW(window_, message, wparam, lparam) : 0;
  auto found = std::find(chain->adopters.begin(), chain->adopters.end(), this);
  if (found == chain->adopters.end()) {
    return CallWindowProcW(chain->original, window_, message, wparam, lparam);
  }
  const auto below = static_cast<size_t>(found - chain->adopters.begin());
  ++chain->running;
  const LRESULT result = PassDown(window_, *chain, below, message, wparam, lparam);
  if (--chain->running == 0) Tidy(window_, chain);
  return result;
}

LRESULT CALLBACK AdoptedWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Chain* chain = ChainOf(window);
  if (!chain) return DefWindowProcW(window, message, wparam, lparam);
  ++chain->running;
  const LRESULT result = PassDown(window, *chain, chain->adopters.size(), message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    chain->destroyed = true;
    RemovePropW(window, kChainProperty);
  }
  if (--chain->running == 0) Tidy(window, chain);
  return result;
}

LRESULT AdoptedWindow::PassDown(HWND window, Chain& chain, size_t below, UINT message,
                                WPARAM wparam, LPARAM lparam) {
  // By index: adopters that come meanwhile are added at the end, and those that go are blanked.
  for (size_t i = below; i-- > 0;) {
    AdoptedWindow* adopter = chain.adopters[i];
    if (!adopter) continue;
    LRESULT result = 0;
    if (HandleAsCatchPoint(adopter->handler_, adopter->sender_, adopter->report_, message, wparam,
                           lparam, result)) {
      return result;
    }
  }
  return CallWindowProcW(chain.original, window, message, wparam, lparam);
}

void AdoptedWindow::Tidy(HWND window, Chain* chain) {
  std::erase(chain->adopters, nullptr);
  if (chain->destroyed) {
    delete chain;
    return;
  }
  // With another procedure in front of ours, ours stays and passes everything on.
  const bool in_front =
      GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Procedure);
  if (!chain->adopters.empty() || !in_front) return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
  RemovePropW(window, kChainProperty);
  delete chain;
}
