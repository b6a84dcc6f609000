// The transcript view's answers to the user and to other programs: the keys and the mouse that
// move the caret and select, the menu, the clipboard and WM_GETTEXT.
#include <algorithm>

#include "platform/win32/WideText.h"
#include "shell/ShellTexts.h"
#include "shell/controls/TranscriptAccessible.h"
#include "shell/controls/TranscriptView.h"
#include "shell/framework/Gdi.h"
#include "shell/logic/TranscriptChars.h"

namespace {

bool KeyHeld(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

// The clipboard, open for one window while the owner lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND window) : open_(OpenClipboard(window) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool TTranscriptView::KeyDown(WPARAM key) {
  const bool shift = KeyHeld(VK_SHIFT);
  const bool control = KeyHeld(VK_CONTROL);
  const TextSpan text = Text();
  const long page = std::max(1, VisibleRows() - 1);
  switch (key) {
    case VK_LEFT: {
      size_t to = caret_ > 0 ? caret_ - 1 : 0;
      if (to > 0 && text[to] == '\n' && text[to - 1] == '\r') --to;
      if (control) to = rows_.WordAt(text, to).first;
      MoveCaret(to, shift);
      return true;
    }
    case VK_RIGHT: {
      size_t to = std::min(text.size(), caret_ + 1);
      if (to < text.size() && text[to - 1] == '\r' && text[to] == '\n') ++to;
      if (control && to < text.size()) to = rows_.WordAt(text, caret_).second;
      MoveCaret(to, shift);
      return true;
    }
    case VK_UP:
      MoveCaret(CaretRowMoved(-1), shift);
      return true;
    case VK_DOWN:
      MoveCaret(CaretRowMoved(1), shift);
      return true;
    case VK_PRIOR:
      ScrollRows(-page);
      MoveCaret(CaretRowMoved(-page), shift);
      return true;
    case VK_NEXT:
      ScrollRows(page);
      MoveCaret(CaretRowMoved(page), shift);
      return true;
    case VK_HOME:
      MoveCaret(control ? 0 : rows_.RowOf(text, caret_), shift);
      return true;
    case VK_END:
      MoveCaret(control ? text.size() : rows_.End(text, rows_.RowOf(text, caret_)), shift);
      return true;
    case 'A':
      if (control) SelectAll();
      return control;
    case 'C':
    case VK_INSERT:
      if (control) CopySelection();
      return control;
    default:
      return false;
  }
}

void TTranscriptView::MouseDown(int x, int y, bool extend, bool word) {
  SetFocus();
  const size_t offset = OffsetAt(x, y);
  if (word) {
    const auto [first, last] = rows_.WordAt(Text(), offset);
    Select(first, last);
    return;
  }
  Select(extend ? anchor_ : offset, offset);
  dragging_ = true;
  SetCapture(Handle());
}

void TTranscriptView::MouseMove(int x, int y) {
  if (!dragging_) return;
  // Past the top or the bottom, the rows move under the pointer.
  if (y < 0) ScrollRows(-1);
  if (y >= VisibleRows() * row_height_) ScrollRows(1);
  Select(anchor_, OffsetAt(x, std::min(y, VisibleRows() * row_height_ - 1)));
}

void TTranscriptView::ShowMenu(LPARAM where) {
  MenuOwner menu(CreatePopupMenu());
  if (!menu.get()) return;
  const UINT copy_state = anchor_ != caret_ ? MF_ENABLED : MF_GRAYED;
  AppendMenuW(menu.get(), MF_STRING | copy_state, kCopyCommand,
              WideText(shell_texts::kCopy).c_str());
  AppendMenuW(menu.get(), MF_STRING, kSelectAllCommand, WideText(shell_texts::kSelectAll).c_str());
  POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  if (where == -1) {  // from the keyboard: at the view's top-left corner
    at = {0, 0};
    ClientToScreen(Handle(), &at);
  }
  const UINT command = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                        at.x, at.y, 0, Handle(), nullptr));
  RunCommand(command);
}

bool TTranscriptView::CopySelection() {
  const size_t first = std::min(anchor_, caret_);
  const size_t last = std::max(anchor_, caret_);
  if (first == last) return false;
  OpenedClipboard clipboard(Handle());
  if (!clipboard.IsOpen()) return false;
  GlobalMemoryOwner memory(GlobalAlloc(GMEM_MOVEABLE, (last - first + 1) * sizeof(wchar_t)));
  auto* chars = memory.get() ? static_cast<wchar_t*>(GlobalLock(memory.get())) : nullptr;
  if (!chars) return false;
  transcript_chars::CopyShown(Text(), first, last, chars);
  chars[last - first] = L'\0';
  GlobalUnlock(memory.get());
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.Release();
  return true;
}

LRESULT TTranscriptView::GetText(WPARAM size, LPARAM buffer) const {
  if (size == 0 || buffer == 0) return 0;
  const size_t count = std::min(Text().size(), static_cast<size_t>(size) - 1);
  auto* chars = reinterpret_cast<wchar_t*>(buffer);
  transcript_chars::CopyShown(Text(), 0, count, chars);
  chars[count] = L'\0';
  return static_cast<LRESULT>(count);
}

LRESULT TTranscriptView::GetObject(WPARAM flags, LPARAM id) {
  if (static_cast<LONG>(id) != OBJID_CLIENT) return 0;
  return TranscriptAccessible::Answer(Handle(), flags);
}
