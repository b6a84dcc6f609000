// The read-only view of the transcript: no border, white, a vertical scroll bar, lines wrapped
// at its width, CR LF the only line break, the end of the text shown after each append with the
// caret after it, and no size limit. A zero byte or another control character, a byte without a
// character, and a lone CR or LF are shown as visible placeholders; the transcript's bytes are
// never changed. The view keeps no copy of them: it indexes where lines start and wraps only the
// rows it shows, so appending, scrolling and resizing cost the same however long the text is.
// The user selects with the mouse and the keys and copies with Ctrl+C or the view's menu; other
// programs read the text with WM_GETTEXT and through its accessible object (read-only text).
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "core/Transcript.h"
#include "shell/framework/WinControl.h"
#include "shell/logic/LineIndex.h"
#include "shell/logic/TextRows.h"

class TTranscriptView : public TWinControl {
 public:
  explicit TTranscriptView(TComponent* owner);
  ~TTranscriptView() override;

  // Shows the transcript's text and follows its changes until the view is destroyed; the
  // transcript must outlive the view.
  void Bind(Transcript& transcript);

  // Appended bytes not painted yet (appends are painted at most every kPaintIntervalMs while
  // a flood keeps the message queue busy).
  size_t Waiting() const;
  static constexpr ULONGLONG kPaintIntervalMs = 40;

  // The selection as offsets into the transcript's bytes: the anchor stays where it began,
  // the caret moves. Select clamps both to the text.
  size_t Anchor() const { return anchor_; }
  size_t Caret() const { return caret_; }
  void Select(size_t anchor, size_t caret);
  void SelectAll();
  // Puts the selection on the clipboard as Unicode text, as shown; false when there is no
  // selection or the clipboard cannot be had.
  bool CopySelection();
  // The offset of the first row shown.
  size_t TopRow() const { return top_; }

  // The menu's commands (also the items' identifiers).
  enum Command : UINT { kCopyCommand = 1, kSelectAllCommand = 2 };
  // Runs a command of the menu.
  void RunCommand(UINT command);

 protected:
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  TextSpan Text() const;
  void Follow(const Transcript::Change& change);
  void MeasureFont();
  int RowHeight() const { return row_height_; }
  int VisibleRows() const;
  // The first row when the last row is at the bottom.
  size_t LastTop() const;
  void ScrollTo(size_t row);
  void ScrollRows(long count);
  void UpdateScrollBar();
  void OnVScroll(WORD request);
  void Resized();
  // Moves the caret (and the anchor unless extending) and shows it.
  void MoveCaret(size_t offset, bool extend);
  void ShowCaretRow();
  size_t CaretRowMoved(long rows) const;

  // TranscriptViewPaint.cpp
  void Paint(HDC dc);
  void PaintRow(HDC dc, size_t row, int y, int right);
  void PlaceCaret();
  // The offset under a point of the client area.
  size_t OffsetAt(int x, int y) const;

  // TranscriptViewInput.cpp
  bool KeyDown(WPARAM key);
  void MouseDown(int x, int y, bool extend, bool word);
  void MouseMove(int x, int y);
  void ShowMenu(LPARAM where);
  LRESULT GetText(WPARAM size, LPARAM buffer) const;
  LRESULT GetObject(WPARAM flags, LPARAM id);

  Transcript* transcript_ = nullptr;
  LineIndex lines_;
  GlyphWidths widths_;
  TextRows rows_{lines_, widths_};
  int row_height_ = 13;
  size_t top_ = 0;
  bool follow_end_ = true;
  size_t anchor_ = 0;
  size_t caret_ = 0;
  bool dragging_ = false;
  int wheel_delta_ = 0;
  size_t painted_size_ = 0;
  ULONGLONG last_paint_ = 0;
  size_t scroll_scale_ = 1;
  SCROLLINFO scroll_{};  // what the scroll bar was last given
  static constexpr int kMargin = 2;
};
