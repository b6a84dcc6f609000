// Owners of GDI objects, icons, menus, global memory and device contexts, so that each is
// released on every path.
#pragma once

#include <windows.h>

#include <utility>

// A handle given back with Free on every path: movable, not copyable.
template <typename Handle, auto Free>
class HandleOwner {
 public:
  HandleOwner() = default;
  explicit HandleOwner(Handle handle) : handle_(handle) {}
  ~HandleOwner() { Reset(); }
  HandleOwner(HandleOwner&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  HandleOwner& operator=(HandleOwner&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  HandleOwner(const HandleOwner&) = delete;
  HandleOwner& operator=(const HandleOwner&) = delete;

  Handle get() const { return handle_; }
  void Reset(Handle handle = nullptr) {
    if (handle_) Free(handle_);
    handle_ = handle;
  }
  // Gives the handle up to whoever takes it over.
  Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

using PenOwner = HandleOwner<HPEN, &DeleteObject>;
using BrushOwner = HandleOwner<HBRUSH, &DeleteObject>;
using FontOwner = HandleOwner<HFONT, &DeleteObject>;
using BitmapOwner = HandleOwner<HBITMAP, &DeleteObject>;
using IconOwner = HandleOwner<HICON, &DestroyIcon>;
using MenuOwner = HandleOwner<HMENU, &DestroyMenu>;
using GlobalMemoryOwner = HandleOwner<HGLOBAL, &GlobalFree>;

// A memory device context compatible with the screen.
class MemoryDC {
 public:
  MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A window's device context for drawing outside WM_PAINT.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint and EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return paint_.hdc; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// Selects an object into a device context and puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves a device context's state (clipping, origin, modes) and restores it.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDC() {
    if (id_) RestoreDC(dc_, id_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};
