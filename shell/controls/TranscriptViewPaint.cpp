// The transcript view's drawing: only the rows on the screen, each with the widths its wrapping
// was computed with, so that what is drawn and where the mouse points always agree.
#include <algorithm>
#include <string>
#include <vector>

#include "shell/controls/TranscriptView.h"
#include "shell/framework/Gdi.h"
#include "shell/logic/TranscriptChars.h"

void TTranscriptView::MeasureFont() {
  HDC dc = GetDC(Handle());
  {
    Selection font(dc, Font().Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    row_height_ = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
    widths_.tab_stop = std::max(1, 8 * static_cast<int>(metrics.tmAveCharWidth));
    for (int byte = 0; byte < 256; ++byte) {
      const wchar_t shown = byte == '\t' ? L' ' : transcript_chars::Shown(byte);
      INT width = 0;
      GetCharWidth32W(dc, shown, shown, &width);
      // Never zero, so that a row always ends within the view's width in bytes.
      widths_.of_byte[static_cast<size_t>(byte)] = std::max(1, static_cast<int>(width));
    }
  }
  ReleaseDC(Handle(), dc);
}

// Drawn off screen and copied once: a row is several text runs, and each drawing call on the
// screen can cost a round trip to the display.
void TTranscriptView::Paint(HDC target) {
  UpdateScrollBar();
  RECT client{};
  GetClientRect(Handle(), &client);
  MemoryDC memory;
  BitmapOwner bitmap(
      CreateCompatibleBitmap(target, std::max(1L, client.right), std::max(1L, client.bottom)));
  Selection buffer(memory.get(), bitmap.get());
  HDC dc = bitmap.get() ? memory.get() : target;
  Selection font(dc, Font().Handle());
  const TextSpan text = Text();
  int y = 0;
  for (size_t row = top_; row != TextRows::kNone && y < client.bottom;
       row = rows_.Next(text, row), y += row_height_) {
    PaintRow(dc, row, y, client.right);
  }
  if (y < client.bottom) {
    SetBkColor(dc, RGB(255, 255, 255));
    const RECT rest{0, y, client.right, client.bottom};
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rest, nullptr, 0, nullptr);
  }
  if (dc != target) BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  painted_size_ = text.size();
  last_paint_ = GetTickCount64();
  PlaceCaret();
}

void TTranscriptView::PaintRow(HDC dc, size_t row, int y, int right) {
  const TextSpan text = Text();
  const size_t end = rows_.End(text, row);
  const size_t length = end - row;
  std::wstring shown(length, L' ');
  std::vector<INT> advances(length);
  int x = 0;
  for (size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[row + i]);
    if (byte != '\t') shown[i] = static_cast<wchar_t>(transcript_chars::Shown(byte));
    advances[i] = rows_.Advance(byte, x);
    x += advances[i];
  }
  // Up to three runs: before, inside and after the selection; a selection that goes on past
  // the row's end also marks the rest of the row.
  const size_t first = std::min(anchor_, caret_);
  const size_t last = std::max(anchor_, caret_);
  const size_t cuts[] = {row, std::clamp(first, row, end), std::clamp(last, row, end), end};
  int left = kMargin;
  for (int run = 0; run < 3; ++run) {
    const size_t from = cuts[run] - row;
    const size_t to = cuts[run + 1] - row;
    int width = 0;
    for (size_t i = from; i < to; ++i) width += advances[i];
    const bool selected = run == 1;
    const bool reaches_end = run == 2 || (selected && last > end && to == length);
    const RECT box{run == 0 ? 0 : left, y, reaches_end ? right : left + width, y + row_height_};
    SetBkColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : RGB(255, 255, 255));
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
    if (box.right > box.left) {
      ExtTextOutW(dc, left, y, ETO_OPAQUE | ETO_CLIPPED, &box, shown.data() + from,
                  static_cast<UINT>(to - from), advances.data() + from);
    }
    left += width;
  }
}

void TTranscriptView::PlaceCaret() {
  if (GetFocus() != Handle()) return;
  const TextSpan text = Text();
  const size_t caret_row = rows_.RowOf(text, caret_);
  int y = 0;
  size_t row = top_;
  for (int i = 0; i <= VisibleRows() && row != TextRows::kNone && row < caret_row; ++i) {
    row = rows_.Next(text, row);
    y += row_height_;
  }
  if (row != caret_row) y = -2 * row_height_;  // out of sight
  SetCaretPos(kMargin + rows_.XOf(text, caret_row, caret_), y);
}

size_t TTranscriptView::OffsetAt(int x, int y) const {
  const TextSpan text = Text();
  if (y < 0) return rows_.OffsetAt(text, top_, x - kMargin);
  size_t row = top_;
  for (int i = y / row_height_; i > 0; --i) {
    const size_t next = rows_.Next(text, row);
    if (next == TextRows::kNone) return text.size();
    row = next;
  }
  return rows_.OffsetAt(text, row, x - kMargin);
}
