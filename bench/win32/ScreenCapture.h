// A part of the screen as it is now, written as a 24-bit BMP file: what the benchmarks show of
// the window (menus and other windows over it included).
#pragma once

#include <windows.h>

#include <cstdio>
#include <vector>

#include "shell/framework/Gdi.h"

inline bool SaveScreen(const RECT& box, const char* path) {
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  WindowDC screen(nullptr);
  MemoryDC memory;
  BitmapOwner bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  {
    Selection into(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), box.left, box.top, SRCCOPY);
  }
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
  const int rows = GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height),
                             pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  if (rows != height) return false;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path, "wb");
  if (!out) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                       std::fwrite(&header, sizeof header, 1, out) == 1 &&
                       std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
  return std::fclose(out) == 0 && written;
}
