#include "win32/Surface.h"

#include "shell/framework/Gdi.h"

Surface::Surface(int width, int height, COLORREF fill)
    : width_(width), height_(height), bitmap_(width, height), dc_(bitmap_) {
  BrushOwner brush(CreateSolidBrush(fill));
  RECT all{0, 0, width, height};
  FillRect(dc_.get(), &all, brush.get());
}

bool Surface::SameAs(const Surface& other) const {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (Pixel(x, y) != other.Pixel(x, y)) return false;
    }
  }
  return true;
}

int Surface::Count(COLORREF colour) const {
  int count = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) count += Pixel(x, y) == colour;
  }
  return count;
}

TPicture TwoColourPicture(int width, int height, COLORREF left, COLORREF right) {
  auto bitmap = std::make_unique<TBitmap>(width, height);
  {
    BitmapDC dc(*bitmap);
    BrushOwner left_brush(CreateSolidBrush(left));
    BrushOwner right_brush(CreateSolidBrush(right));
    RECT left_half{0, 0, width / 2, height};
    RECT right_half{width / 2, 0, width, height};
    FillRect(dc.get(), &left_half, left_brush.get());
    FillRect(dc.get(), &right_half, right_brush.get());
  }
  TPicture picture;
  picture.SetGraphic(std::move(bitmap));
  return picture;
}

TPicture IconPicture(int size, COLORREF colour) {
  TBitmap image(size, size);
  {
    BitmapDC dc(image);
    BrushOwner brush(CreateSolidBrush(colour));
    RECT all{0, 0, size, size};
    FillRect(dc.get(), &all, brush.get());
  }
  // An all-black mask: every pixel opaque.
  BitmapOwner mask(CreateBitmap(size, size, 1, 1, nullptr));
  {
    MemoryDC dc;
    Selection selected(dc.get(), mask.get());
    PatBlt(dc.get(), 0, 0, size, size, BLACKNESS);
  }
  ICONINFO info{TRUE, 0, 0, mask.get(), image.Handle()};
  TPicture picture;
  picture.SetGraphic(std::make_unique<TIcon>(CreateIconIndirect(&info)));
  return picture;
}
