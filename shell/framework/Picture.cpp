#include "shell/framework/Picture.h"

namespace {

HBITMAP CreateWhiteBitmap(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap) {
    MemoryDC dc;
    Selection selected(dc.get(), bitmap);
    PatBlt(dc.get(), 0, 0, width, height, WHITENESS);
  }
  return bitmap;
}

}  // namespace

TBitmap::TBitmap(int width, int height)
    : pixels_(std::make_shared<const BitmapOwner>(CreateWhiteBitmap(width, height))),
      width_(width),
      height_(height) {}

TBitmap::TBitmap(HBITMAP handle) : pixels_(std::make_shared<const BitmapOwner>(handle)) {
  BITMAP info{};
  if (handle && GetObjectW(handle, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
}

TColor TBitmap::TransparentColor() const {
  if (fixed_transparent_colour_ || !Handle() || height_ <= 0) return transparent_colour_;
  BitmapDC dc(*this);
  return GetPixel(dc.get(), 0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  fixed_transparent_colour_ = true;
  transparent_colour_ = color;
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  // The pixels are shared, not copied: the copy draws the same, at no cost in time or memory.
  return std::make_unique<TBitmap>(*this);
}

void TBitmap::StretchDraw(HDC dc, const RECT& rect) const {
  if (!Handle()) return;
  // Read before the bitmap is selected for drawing: it can be selected into one context only.
  const COLORREF left_out = transparent_ ? ColorToRGB(TransparentColor()) : 0;
  BitmapDC source(*this);
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  if (transparent_) {
    // gdi32's own: the msimg32 function of the other name only passes the call on to it, and
    // would be one more library to load at start.
    GdiTransparentBlt(dc, rect.left, rect.top, w, h, source.get(), 0, 0, width_, height_, left_out);
  } else {
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, w, h, source.get(), 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dc, mode);
  }
}

void TBitmap::Draw(HDC dc, int x, int y) const {
  StretchDraw(dc, {x, y, x + width_, y + height_});
}

TIcon::TIcon(HICON handle) : handle_(handle) {
  ICONINFO info{};
  if (handle && GetIconInfo(handle, &info)) {
    BitmapOwner colour(info.hbmColor);
    BitmapOwner mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
    width_ = bitmap.bmWidth;
    // A monochrome icon's mask holds the AND and XOR halves one above the other.
    height_ = info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2;
  }
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
  return std::make_unique<TIcon>(handle_.get() ? CopyIcon(handle_.get()) : nullptr);
}

void TIcon::StretchDraw(HDC dc, const RECT& rect) const {
  if (!handle_.get()) return;
  DrawIconEx(dc, rect.left, rect.top, handle_.get(), rect.right - rect.left, rect.bottom - rect.top,
             0, nullptr, DI_NORMAL);
}

void TIcon::Draw(HDC dc, int x, int y) const {
  StretchDraw(dc, {x, y, x + width_, y + height_});
}

void TPicture::Assign(const TPicture& other) {
  if (this == &other) return;
  graphic_ = other.graphic_ ? other.graphic_->Clone() : nullptr;
}
