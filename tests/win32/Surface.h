// Memory surfaces to paint on and read back pixel by pixel, and small pictures to paint with.
#pragma once

#include <windows.h>

#include <memory>

#include "shell/framework/Picture.h"

class Surface {
 public:
  // A 24-bit surface filled with one colour.
  Surface(int width, int height, COLORREF fill);
  HDC dc() const { return dc_.get(); }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_.get(), x, y); }
  // Whether every pixel equals the other surface's.
  bool SameAs(const Surface& other) const;
  // How many pixels have the colour.
  int Count(COLORREF colour) const;

 private:
  int width_;
  int height_;
  TBitmap bitmap_;
  BitmapDC dc_;
};

// A bitmap picture whose left half is one colour and right half another.
TPicture TwoColourPicture(int width, int height, COLORREF left, COLORREF right);
// An opaque icon of one colour.
TPicture IconPicture(int size, COLORREF colour);
