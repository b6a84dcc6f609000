// The owner of a window that a control creates for itself (its buttons, its tooltip).
#pragma once

#include <windows.h>

#include <utility>

class WindowOwner {
 public:
  WindowOwner() = default;
  explicit WindowOwner(HWND window) : window_(window) {}
  ~WindowOwner() {
    if (window_) DestroyWindow(window_);
  }
  WindowOwner(WindowOwner&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
  WindowOwner& operator=(WindowOwner&& other) noexcept {
    if (this != &other) {
      if (window_) DestroyWindow(window_);
      window_ = std::exchange(other.window_, nullptr);
    }
    return *this;
  }
  WindowOwner(const WindowOwner&) = delete;
  WindowOwner& operator=(const WindowOwner&) = delete;

  HWND get() const { return window_; }

 private:
  HWND window_ = nullptr;
};
