// Bitmaps and icons, and the pictures that hold one of them.
#include "shell/framework/Picture.h"

#include <cstdlib>

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

// Where a packed bitmap's pixels start: after its header, bit-field masks and colour table.
const void* PackedBits(const BITMAPINFO* packed) {
  const BITMAPINFOHEADER& header = packed->bmiHeader;
  size_t colours = header.biClrUsed;
  if (!colours && header.biBitCount <= 8) colours = size_t{1} << header.biBitCount;
  const size_t masks =
      header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS ? 3 : 0;
  return reinterpret_cast<const BYTE*>(packed) + header.biSize +
         (masks + colours) * sizeof(RGBQUAD);
}

}  // namespace

TBitmap::TBitmap(int width, int height) : width_(width), height_(height) {
  auto pixels = std::make_shared<Pixels>();
  pixels->handle.Reset(CreateWhiteBitmap(width, height));
  pixels_ = std::move(pixels);
}

TBitmap::TBitmap(HBITMAP handle) {
  auto pixels = std::make_shared<Pixels>();
  pixels->handle.Reset(handle);
  pixels_ = std::move(pixels);
  BITMAP info{};
  if (handle && GetObjectW(handle, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
}

TBitmap::TBitmap(const BITMAPINFO* packed) {
  if (!packed) return;
  auto pixels = std::make_shared<Pixels>();
  pixels->packed = packed;
  pixels->packed_bits = PackedBits(packed);
  pixels_ = std::move(pixels);
  width_ = packed->bmiHeader.biWidth;
  height_ = std::abs(packed->bmiHeader.biHeight);
}

HBITMAP TBitmap::Handle() const {
  if (!pixels_) return nullptr;
  if (!pixels_->handle.get() && pixels_->packed) {
    void* bits = nullptr;
    BitmapOwner made(CreateDIBSection(nullptr, pixels_->packed, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (made.get() && SetDIBits(nullptr, made.get(), 0, height_, pixels_->packed_bits,
                                pixels_->packed, DIB_RGB_COLORS) == height_) {
      pixels_->handle = std::move(made);
    }
  }
  return pixels_->handle.get();
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
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  if (!transparent_ && pixels_ && pixels_->packed) {
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, rect.left, rect.top, w, h, 0, 0, width_, height_, pixels_->packed_bits,
                  pixels_->packed, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, mode);
    return;
  }
  if (!Handle()) return;
  // Read before the bitmap is selected for drawing: it can be selected into one context only.
  const COLORREF left_out = transparent_ ? ColorToRGB(TransparentColor()) : 0;
  BitmapDC source(*this);
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

TIcon::TIcon(HICON handle) : handle_(std::make_shared<const IconOwner>(handle)) {
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
  // The handle is shared, not copied: under Wine a copy of an icon costs several milliseconds.
  return std::make_unique<TIcon>(*this);
}

void TIcon::StretchDraw(HDC dc, const RECT& rect) const {
  if (!Handle()) return;
  DrawIconEx(dc, rect.left, rect.top, Handle(), rect.right - rect.left, rect.bottom - rect.top, 0,
             nullptr, DI_NORMAL);
}

void TIcon::Draw(HDC dc, int x, int y) const {
  StretchDraw(dc, {x, y, x + width_, y + height_});
}

void TPicture::Assign(const TPicture& other) {
  if (this == &other) return;
  graphic_ = other.graphic_ ? other.graphic_->Clone() : nullptr;
}
