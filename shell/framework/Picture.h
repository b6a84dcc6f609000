// Pictures: empty, or one bitmap or icon. Assigning a picture copies its graphic; a bitmap's
// copies share its pixels and an icon's its handle, which nobody changes once the graphic is in a
// picture: drawing on a bitmap (BitmapDC) is for bitmaps just made.
#pragma once

#include <windows.h>

#include <memory>

#include "shell/framework/Gdi.h"
#include "shell/framework/Graphics.h"

enum class TGraphicKind { Bitmap, Icon };

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual TGraphicKind Kind() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;
  // Fills the rectangle, stretched without keeping the aspect ratio.
  virtual void StretchDraw(HDC dc, const RECT& rect) const = 0;
  // At the natural size, top-left corner at (x, y).
  virtual void Draw(HDC dc, int x, int y) const = 0;

  // Only bitmaps honour it; an icon always draws through its own mask.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }

 protected:
  bool transparent_ = false;
};

class TBitmap : public TGraphic {
 public:
  // A 24-bit bitmap of the given size, all white.
  TBitmap(int width, int height);
  // Takes ownership of a bitmap handle.
  explicit TBitmap(HBITMAP handle);
  // The pixels of a packed device-independent bitmap (header, colour table, pixels) that stays
  // unchanged in memory as long as the process runs, such as a bitmap among the program's
  // resources. Drawn opaque straight from those bytes; a bitmap handle of its own is made only
  // when one is asked for (Handle(), transparent drawing).
  explicit TBitmap(const BITMAPINFO* packed);

  // The pixels as a bitmap, made at the first call for a packed bitmap.
  HBITMAP Handle() const;
  // The colour that a transparent drawing leaves out: its bottom-left pixel unless one is set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);

  TGraphicKind Kind() const override { return TGraphicKind::Bitmap; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::unique_ptr<TGraphic> Clone() const override;
  void StretchDraw(HDC dc, const RECT& rect) const override;
  void Draw(HDC dc, int x, int y) const override;

 private:
  struct Pixels {
    const BITMAPINFO* packed = nullptr;
    const void* packed_bits = nullptr;
    mutable BitmapOwner handle;
  };
  // Shared with the copies; freed with the last of them.
  std::shared_ptr<const Pixels> pixels_;
  int width_ = 0;
  int height_ = 0;
  bool fixed_transparent_colour_ = false;
  TColor transparent_colour_ = clWhite;
};

// A memory device context with a bitmap selected, for drawing on the bitmap.
class BitmapDC {
 public:
  explicit BitmapDC(const TBitmap& bitmap) : selected_(dc_.get(), bitmap.Handle()) {}
  HDC get() const { return dc_.get(); }

 private:
  MemoryDC dc_;
  Selection selected_;
};

class TIcon : public TGraphic {
 public:
  // Takes ownership of an icon handle.
  explicit TIcon(HICON handle);

  HICON Handle() const { return handle_ ? handle_->get() : nullptr; }
  TGraphicKind Kind() const override { return TGraphicKind::Icon; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::unique_ptr<TGraphic> Clone() const override;
  void StretchDraw(HDC dc, const RECT& rect) const override;
  void Draw(HDC dc, int x, int y) const override;

 private:
  // Shared with the copies; destroyed with the last of them.
  std::shared_ptr<const IconOwner> handle_;
  int width_ = 0;
  int height_ = 0;
};

class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture& other) { Assign(other); }
  TPicture& operator=(const TPicture& other) {
    Assign(other);
    return *this;
  }
  // Copies the other picture's graphic; the other keeps its own.
  void Assign(const TPicture& other);

  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic) { graphic_ = std::move(graphic); }
  bool Empty() const { return !graphic_; }
  bool Holds(TGraphicKind kind) const { return graphic_ && graphic_->Kind() == kind; }

 private:
  std::unique_ptr<TGraphic> graphic_;
};
