#include "shell/framework/Graphics.h"

#include "platform/win32/WideText.h"

COLORREF ColorToRGB(TColor color) {
  if (color & 0x80000000) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

void TFont::Assign(const TFont& other) {
  if (this == &other) return;
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  handle_.Reset();
}

void TFont::SetName(std::string name) {
  name_ = std::move(name);
  handle_.Reset();
}

void TFont::SetHeight(int height) {
  height_ = height;
  handle_.Reset();
}

void TFont::SetStyle(TFontStyles style) {
  style_ = style;
  handle_.Reset();
}

HFONT TFont::Handle() const {
  if (!handle_.get()) {
    handle_.Reset(CreateFontW(height_, 0, 0, 0, (style_ & fsBold) ? FW_BOLD : FW_NORMAL,
                              (style_ & fsItalic) != 0, (style_ & fsUnderline) != 0,
                              (style_ & fsStrikeOut) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              WideText(name_).c_str()));
  }
  return handle_.get();
}

void TCanvas::Polyline(const std::vector<POINT>& points, TColor color) {
  PenOwner pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
  Selection selected(dc_, pen.get());
  ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::FillRect(const RECT& rect, TColor color) {
  BrushOwner brush(CreateSolidBrush(ColorToRGB(color)));
  ::FillRect(dc_, &rect, brush.get());
}

void TCanvas::FrameRect(const RECT& rect, TColor color) {
  BrushOwner brush(CreateSolidBrush(ColorToRGB(color)));
  ::FrameRect(dc_, &rect, brush.get());
}

SIZE TCanvas::TextExtent(const std::string& text, const TFont& font) {
  Selection selected(dc_, font.Handle());
  std::wstring wide = WideText(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

namespace {

// The font, its colour and a transparent background for one drawing of text; the context's
// previous font, colour and background mode afterwards.
class TextDrawing {
 public:
  TextDrawing(HDC dc, const TFont& font)
      : dc_(dc),
        selected_(dc, font.Handle()),
        mode_(SetBkMode(dc, TRANSPARENT)),
        colour_(SetTextColor(dc, ColorToRGB(font.Color()))) {}
  ~TextDrawing() {
    SetTextColor(dc_, colour_);
    SetBkMode(dc_, mode_);
  }
  TextDrawing(const TextDrawing&) = delete;
  TextDrawing& operator=(const TextDrawing&) = delete;

 private:
  HDC dc_;
  Selection selected_;
  int mode_;
  COLORREF colour_;
};

}  // namespace

void TCanvas::TextAt(int x, int y, const std::string& text, const TFont& font) {
  const std::wstring wide = WideText(text);
  TextDrawing drawing(dc_, font);
  TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void TCanvas::TextIn(RECT rect, const std::string& text, const TFont& font, UINT format) {
  const std::wstring wide = WideText(text);
  TextDrawing drawing(dc_, font);
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

RECT TCanvas::TextInExtent(RECT area, const std::string& text, const TFont& font, UINT format) {
  Selection selected(dc_, font.Handle());
  std::wstring wide = WideText(text);
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area, format | DT_CALCRECT);
  return area;
}
