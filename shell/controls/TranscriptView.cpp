#include "shell/controls/TranscriptView.h"

#include <algorithm>

#include "shell/ShellTexts.h"
#include "shell/framework/Gdi.h"
#include "shell/logic/TranscriptChars.h"

namespace {

HostedWindowShape ViewClass() {
  return {.class_name = shell_texts::kTranscriptViewClass,
          .class_style = CS_DBLCLKS,
          .cursor = IDC_IBEAM,
          .style = ES_MULTILINE | ES_READONLY | WS_VSCROLL};
}

}  // namespace

TTranscriptView::TTranscriptView(TComponent* owner) : TWinControl(owner, ViewClass()) {
  MeasureFont();
  scroll_.nMax = -1;
  UpdateScrollBar();
}

TTranscriptView::~TTranscriptView() {
  if (transcript_) transcript_->OnChange = nullptr;
}

void TTranscriptView::Bind(Transcript& transcript) {
  if (transcript_) transcript_->OnChange = nullptr;
  transcript_ = &transcript;
  transcript.OnChange = [this](const Transcript::Change& change) { Follow(change); };
  lines_.Clear();
  Follow(Transcript::Change{Transcript::Change::Kind::Appended, transcript.Text()});
}

TextSpan TTranscriptView::Text() const {
  return transcript_ ? TextSpan(transcript_->Text()) : TextSpan();
}

size_t TTranscriptView::Waiting() const {
  return Text().size() - std::min(painted_size_, Text().size());
}

void TTranscriptView::Follow(const Transcript::Change& change) {
  if (change.kind == Transcript::Change::Kind::Cleared) {
    lines_.Clear();
    top_ = anchor_ = caret_ = painted_size_ = 0;
  } else {
    lines_.Update(Text());
  }
  // The end is shown after every append, unless the user is selecting with the mouse.
  if (!dragging_) {
    anchor_ = caret_ = Text().size();
    follow_end_ = true;
  }
  InvalidateRect(Handle(), nullptr, FALSE);
  // Painting waits for an empty queue, which a flood never leaves: paint now and then anyway.
  if (GetTickCount64() - last_paint_ >= kPaintIntervalMs) UpdateWindow(Handle());
}

int TTranscriptView::VisibleRows() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return std::max(1, static_cast<int>(client.bottom) / row_height_);
}

size_t TTranscriptView::LastTop() const {
  const TextSpan text = Text();
  return rows_.Back(text, rows_.RowOf(text, text.size()), static_cast<size_t>(VisibleRows() - 1));
}

void TTranscriptView::ScrollTo(size_t row) {
  const size_t last = LastTop();
  follow_end_ = false;
  top_ = std::min(rows_.RowOf(Text(), row), last);
  UpdateScrollBar();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TTranscriptView::ScrollRows(long count) {
  const TextSpan text = Text();
  size_t row = top_;
  for (; count > 0; --count) {
    const size_t next = rows_.Next(text, row);
    if (next == TextRows::kNone) break;
    row = next;
  }
  if (count < 0) row = rows_.Back(text, row, static_cast<size_t>(-count));
  ScrollTo(row);
}

// The scroll bar measures bytes: its thumb sits at the first shown row's offset and is as long
// as the bytes shown, which needs no wrapping of the rows out of sight.
void TTranscriptView::UpdateScrollBar() {
  const TextSpan text = Text();
  if (follow_end_) top_ = LastTop();
  size_t shown_end = top_;
  size_t row = top_;
  for (int i = 0; i < VisibleRows() && row != TextRows::kNone; ++i) {
    shown_end = rows_.End(text, row);
    row = rows_.Next(text, row);
  }
  scroll_scale_ = text.size() / 0x10000000 + 1;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMax = static_cast<int>(text.size() / scroll_scale_);
  info.nPage = static_cast<UINT>((shown_end - top_) / scroll_scale_ + 1);
  info.nPos = static_cast<int>(top_ / scroll_scale_);
  if (row == TextRows::kNone) info.nPos = info.nMax + 1 - static_cast<int>(info.nPage);
  // Redrawing the bar costs more than the check.
  if (info.nMax == scroll_.nMax && info.nPage == scroll_.nPage && info.nPos == scroll_.nPos) return;
  scroll_ = info;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void TTranscriptView::OnVScroll(WORD request) {
  const long page = std::max(1, VisibleRows() - 1);
  switch (request) {
    case SB_LINEUP:
      return ScrollRows(-1);
    case SB_LINEDOWN:
      return ScrollRows(1);
    case SB_PAGEUP:
      return ScrollRows(-page);
    case SB_PAGEDOWN:
      return ScrollRows(page);
    case SB_TOP:
      return ScrollTo(0);
    case SB_BOTTOM:
      return ScrollTo(Text().size());
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_VERT, &info);
      return ScrollTo(std::min(Text().size(), static_cast<size_t>(info.nTrackPos) * scroll_scale_));
    }
    default:
      return;
  }
}

void TTranscriptView::Resized() {
  RECT client{};
  GetClientRect(Handle(), &client);
  rows_.SetWidth(std::max(1, static_cast<int>(client.right) - 2 * kMargin));
  top_ = std::min(rows_.RowOf(Text(), top_), follow_end_ ? Text().size() : LastTop());
  UpdateScrollBar();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TTranscriptView::Select(size_t anchor, size_t caret) {
  anchor_ = std::min(anchor, Text().size());
  caret_ = std::min(caret, Text().size());
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TTranscriptView::SelectAll() {
  Select(0, Text().size());
}

void TTranscriptView::MoveCaret(size_t offset, bool extend) {
  Select(extend ? anchor_ : offset, offset);
  ShowCaretRow();
}

void TTranscriptView::ShowCaretRow() {
  const TextSpan text = Text();
  const size_t row = rows_.RowOf(text, caret_);
  if (row < top_) return ScrollTo(row);
  size_t last_shown = top_;
  for (int i = 1; i < VisibleRows(); ++i) {
    const size_t next = rows_.Next(text, last_shown);
    if (next == TextRows::kNone || next > row) return;
    last_shown = next;
  }
  if (row <= last_shown) return;
  ScrollTo(rows_.Back(text, row, static_cast<size_t>(VisibleRows() - 1)));
}

// The caret's offset in the row count rows away, at the same x.
size_t TTranscriptView::CaretRowMoved(long count) const {
  const TextSpan text = Text();
  const size_t from = rows_.RowOf(text, caret_);
  const int x = rows_.XOf(text, from, caret_);
  size_t row = from;
  for (; count > 0; --count) {
    const size_t next = rows_.Next(text, row);
    if (next == TextRows::kNone) return text.size();
    row = next;
  }
  if (count < 0) {
    if (row == 0) return 0;
    row = rows_.Back(text, row, static_cast<size_t>(-count));
  }
  return rows_.OffsetAt(text, row, x);
}

void TTranscriptView::RunCommand(UINT command) {
  if (command == kCopyCommand) CopySelection();
  if (command == kSelectAllCommand) SelectAll();
}

bool TTranscriptView::WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      Paint(dc);
      EndPaint(Handle(), &paint);
      return true;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SIZE:
      scroll_ = SCROLLINFO{};
      Resized();
      return true;
    case WM_SETFONT:
      MeasureFont();
      Resized();
      return true;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wparam));
      return true;
    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      wheel_delta_ += GET_WHEEL_DELTA_WPARAM(wparam);
      const long notches = wheel_delta_ / WHEEL_DELTA;
      wheel_delta_ %= WHEEL_DELTA;
      if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(std::max(1, VisibleRows() - 1));
      if (notches != 0) ScrollRows(-notches * static_cast<long>(lines));
      return true;
    }
    case WM_KEYDOWN: {
      WPARAM key = wparam;
      if (RaiseKeyEvent(message, key) && !KeyDown(key)) result = CallNative(message, key, lparam);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)),
                (wparam & MK_SHIFT) != 0, message == WM_LBUTTONDBLCLK);
      return true;
    case WM_MOUSEMOVE:
      MouseMove(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
      return true;
    case WM_LBUTTONUP:
      if (dragging_) ReleaseCapture();
      return true;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return true;
    case WM_RBUTTONDOWN:
      SetFocus();
      return true;
    case WM_CONTEXTMENU:
      ShowMenu(lparam);
      return true;
    case WM_SETFOCUS:
      CreateCaret(Handle(), nullptr, 1, row_height_);
      PlaceCaret();
      ShowCaret(Handle());
      return true;
    case WM_KILLFOCUS:
      DestroyCaret();
      return true;
    case WM_GETDLGCODE:
      result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return true;
    case WM_GETTEXTLENGTH:
      result = static_cast<LRESULT>(std::min<size_t>(Text().size(), INT_MAX));
      return true;
    case WM_GETTEXT:
      result = GetText(wparam, lparam);
      return true;
    case WM_SETTEXT:
      // Read-only: the view shows the transcript and nothing else.
      return true;
    case WM_GETOBJECT:
      // Zero leaves the window's other objects to the default procedure.
      result = GetObject(wparam, lparam);
      return result != 0;
    default:
      return TWinControl::WndProc(message, wparam, lparam, result);
  }
}
