// Colours, fonts and the canvas that windowless controls draw on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/framework/Gdi.h"

// 0x00BBGGRR for a direct colour; 0x80000000 plus a system colour index for a system colour.
using TColor = uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clBtnHighlight = 0x80000014;

COLORREF ColorToRGB(TColor color);

using TFontStyles = uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

// A font description; copying or assigning copies the description, never a handle.
class TFont {
 public:
  TFont() = default;
  TFont(const TFont& other) { Assign(other); }
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }
  void Assign(const TFont& other);

  const std::string& Name() const { return name_; }
  void SetName(std::string name);
  // Negative: the character height in pixels.
  int Height() const { return height_; }
  void SetHeight(int height);
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);

  // Made on first use and again after a change of face, height or style.
  HFONT Handle() const;

 private:
  std::string name_ = "Tahoma";
  int height_ = -11;
  TColor color_ = clBlack;
  TFontStyles style_ = 0;
  mutable FontOwner handle_;
};

// Drawing on a device context in the program's terms. Coordinates are the context's own.
class TCanvas {
 public:
  explicit TCanvas(HDC dc) : dc_(dc) {}
  HDC Handle() const { return dc_; }

  // A 1-pixel line through the points; the last point is left out.
  void Polyline(const std::vector<POINT>& points, TColor color);
  // Right and bottom edges excluded.
  void FillRect(const RECT& rect, TColor color);
  // A 1-pixel outline just inside the rectangle, nothing filled.
  void FrameRect(const RECT& rect, TColor color);
  SIZE TextExtent(const std::string& text, const TFont& font);
  // One line at (x, y) in the font's colour; only the glyphs' pixels change.
  void TextAt(int x, int y, const std::string& text, const TFont& font);
  // Text laid out in a rectangle with DrawText's format flags, background untouched.
  void TextIn(RECT rect, const std::string& text, const TFont& font, UINT format);
  // The rectangle that TextIn would fill, from area's top-left corner (and width, for wrapping).
  RECT TextInExtent(RECT area, const std::string& text, const TFont& font, UINT format);

 private:
  HDC dc_;
};
