#include "shell/controls/TranscriptView.h"

#include <richedit.h>

#include <algorithm>

#include "core/Cp1251.h"

namespace {

// The rich edit control's library, loaded once for the life of the process: its window class
// exists only while the library is loaded. Its append cost stays flat as the text grows, where
// a plain multi-line edit's grows with the text.
class RichEditLibrary {
 public:
  RichEditLibrary() {
    module_ = LoadLibraryW(L"Msftedit.dll");
    if (module_) {
      class_name_ = MSFTEDIT_CLASS;
      return;
    }
    module_ = LoadLibraryW(L"riched20.dll");
    class_name_ = RICHEDIT_CLASSW;
  }
  ~RichEditLibrary() {
    if (module_) FreeLibrary(module_);
  }
  RichEditLibrary(const RichEditLibrary&) = delete;
  RichEditLibrary& operator=(const RichEditLibrary&) = delete;

  const wchar_t* ClassName() const { return class_name_; }

 private:
  HMODULE module_ = nullptr;
  const wchar_t* class_name_ = nullptr;
};

const wchar_t* RichEditClass() {
  static const RichEditLibrary library;
  return library.ClassName();
}

// Asks the view to show what waits; registered, so that no control message shares its number.
UINT FlushMessage() {
  static const UINT message = RegisterWindowMessageW(L"ZirkTranscriptFlush");
  return message;
}

constexpr wchar_t kControlPictures = 0x2400;  // U+2400 + n pictures control character n
constexpr wchar_t kDeletePicture = 0x2421;

}  // namespace

TTranscriptView::TTranscriptView(TComponent* owner)
    : TWinControl(owner, RichEditClass(),
                  ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_DISABLENOSCROLL | WS_VSCROLL) {
  // Plain text with one format: the text is only ever the transcript's. Nothing is kept for undo
  // anyway (text goes in by replacements that cannot be undone, and a clear empties the undo), so
  // the undo limit stays as it is: set to 0 in plain-text mode, it makes Wine's control keep some
  // 600 bytes of every line that a clear removes.
  SendMessageW(Handle(), EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO | TM_MULTICODEPAGE, 0);
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  SendMessageW(Handle(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255));
  // Wrap at the window's width.
  SendMessageW(Handle(), EM_SETTARGETDEVICE, 0, 0);
}

TTranscriptView::~TTranscriptView() {
  if (transcript_) transcript_->OnChange = nullptr;
}

void TTranscriptView::Bind(Transcript& transcript) {
  if (transcript_) transcript_->OnChange = nullptr;
  transcript_ = &transcript;
  transcript.OnChange = [this](const Transcript::Change& change) { Follow(change); };
  SetWindowTextW(Handle(), L"");
  pending_ = transcript.Text();
  Flush();
}

void TTranscriptView::Follow(const Transcript::Change& change) {
  if (change.kind == Transcript::Change::Kind::Cleared) {
    pending_.clear();
    SetWindowTextW(Handle(), L"");
    return;
  }
  if (pending_.empty()) {
    pending_since_ = GetTickCount64();
    ScheduleFlush();
  }
  pending_.append(change.appended);
}

void TTranscriptView::ScheduleFlush() {
  PostMessageW(Handle(), FlushMessage(), 0, 0);
}

void TTranscriptView::Flush() {
  ShowPending(pending_.size());
}

void TTranscriptView::ShowPending(size_t max_bytes) {
  if (pending_.empty()) return;
  size_t count = std::min(max_bytes, pending_.size());
  if (count < pending_.size() && pending_[count - 1] == '\r') ++count;
  const std::wstring text = DisplayText(std::string_view(pending_).substr(0, count));
  pending_.erase(0, count);
  // Inserted unseen and painted once; the selection goes to the end first, wherever the user
  // left it (equal positions past the end mean the end).
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  CHARRANGE end{-1, -1};
  SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
  SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
}

bool TTranscriptView::WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message != FlushMessage()) return TWinControl::WndProc(message, wparam, lparam, result);
  // More posted messages waiting (socket reads, say) may append more: show them all together,
  // unless the oldest append has waited long enough.
  const bool more_waiting = HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE;
  if (!pending_.empty() && more_waiting && GetTickCount64() - pending_since_ < kMaxDelayMs) {
    ScheduleFlush();
  } else {
    ShowPending(kMaxStepBytes);
    if (!pending_.empty()) {
      pending_since_ = GetTickCount64();
      ScheduleFlush();
    }
  }
  result = 0;
  return true;
}

std::wstring TTranscriptView::ShownText() const {
  GETTEXTLENGTHEX length_query{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  const LRESULT length =
      SendMessageW(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length_query), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GETTEXTEX query{};
  query.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  query.flags = GT_USECRLF;
  query.codepage = 1200;
  const LRESULT copied = SendMessageW(Handle(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

std::wstring TTranscriptView::DisplayText(std::string_view bytes) {
  std::wstring shown;
  shown.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      shown.append(L"\r\n");
      ++i;
    } else if (byte < 0x20 && byte != '\t') {
      // Any other control character would break or hide text: a lone CR or LF, a vertical tab.
      shown.push_back(static_cast<wchar_t>(kControlPictures + byte));
    } else if (byte == 0x7F) {
      shown.push_back(kDeletePicture);
    } else {
      shown.push_back(static_cast<wchar_t>(cp1251::ToUtf16(byte)));
    }
  }
  return shown;
}
