// The one way the program's objects get window messages. HostedWindow is a window the program
// creates; AdoptedWindow puts an object in front of a window that exists already (a native
// control, another object's window). Both are the catch point of their window: an exception that
// a handler lets out is passed to the report function with the window's sender, inside the catch
// block, and the message counts as handled with result 0.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

class TObject;

// Returns true when it handled the message and set result; false passes it on (to DefWindowProc,
// or to the procedures behind an adopter).
using MessageHandler =
    std::function<bool(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result)>;
// Reports the exception being handled; called inside a catch block.
using FailureReport = void (*)(TObject* sender);

// The owner of a window that nothing else destroys (a control's own buttons, a tooltip).
class WindowOwner {
 public:
  WindowOwner() = default;
  explicit WindowOwner(HWND window) : window_(window) {}
  ~WindowOwner() { Reset(); }
  WindowOwner(WindowOwner&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
  WindowOwner& operator=(WindowOwner&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = std::exchange(other.window_, nullptr);
    }
    return *this;
  }
  WindowOwner(const WindowOwner&) = delete;
  WindowOwner& operator=(const WindowOwner&) = delete;

  HWND get() const { return window_; }
  void Reset() {
    if (window_) DestroyWindow(std::exchange(window_, nullptr));
  }

 private:
  HWND window_ = nullptr;
};

struct HostedWindowShape {
  // Registered once per process, with the host's procedure.
  const wchar_t* class_name;
  UINT class_style = 0;
  LPCWSTR cursor = nullptr;  // a system cursor (IDC_...), or none
  DWORD style = 0;
  DWORD ex_style = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  HWND owner = nullptr;
};

// A window whose class procedure is the host's: the object is attached at WM_NCCREATE, so the
// handler sees every message from then on, and is detached before the window is destroyed (or
// when something else destroys it), so that no message reaches a dead object.
class HostedWindow {
 public:
  // Handle() is null when the platform refused the window; what that means is the caller's
  // business. sender may be null.
  HostedWindow(const HostedWindowShape& shape, TObject* sender, FailureReport report,
               MessageHandler handler);
  ~HostedWindow() { Destroy(); }
  HostedWindow(const HostedWindow&) = delete;
  HostedWindow& operator=(const HostedWindow&) = delete;

  HWND Handle() const { return window_; }
  // Detaches the handler and destroys the window now.
  void Destroy();

  // The sender of one of this process's hosted windows, or null for any other window.
  static TObject* SenderOf(HWND window);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  TObject* sender_;
  FailureReport report_;
  MessageHandler handler_;
  HWND window_ = nullptr;
};

// An object in front of an existing window's procedure, for its own life. The adopters of one
// window see each message newest first, then the procedure the window had. They may go in any
// order, also after another procedure was put in front of theirs: the window's procedure then
// stays in the chain and passes everything on.
class AdoptedWindow {
 public:
  // A null window adopts nothing.
  AdoptedWindow(HWND window, TObject* sender, FailureReport report, MessageHandler handler);
  ~AdoptedWindow();
  AdoptedWindow(const AdoptedWindow&) = delete;
  AdoptedWindow& operator=(const AdoptedWindow&) = delete;

  HWND Handle() const { return window_; }
  // For the handler: passes a message, possibly changed, to the procedures behind this adopter.
  LRESULT CallNext(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  struct Chain;
  static Chain* ChainOf(HWND window);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT PassDown(HWND window, Chain& chain, size_t below, UINT message, WPARAM wparam,
                          LPARAM lparam);
  static void Tidy(HWND window, Chain* chain);

  HWND window_;
  TObject* sender_;
  FailureReport report_;
  MessageHandler handler_;
};
