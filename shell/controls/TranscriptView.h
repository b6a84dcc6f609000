// The read-only view of the transcript: no border, white, a vertical scroll bar, lines wrapped
// at its width, CR LF the only line break, the end of the text shown after each append and no
// size limit. A zero byte or another control character, a byte without a character, and a lone
// CR or LF are shown as visible placeholders; the transcript's bytes are never changed. Appends
// that arrive together are shown together, so the cost of one append does not grow with the text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/Transcript.h"
#include "shell/framework/WinControl.h"

class TTranscriptView : public TWinControl {
 public:
  explicit TTranscriptView(TComponent* owner);
  ~TTranscriptView() override;

  // Shows the transcript's text and follows its changes until the view is destroyed; the
  // transcript must outlive the view.
  void Bind(Transcript& transcript);
  // Shows what is still waiting now. Otherwise appends wait until the messages queued behind
  // them have been handled, or at most kMaxDelayMs, and are then shown in steps of at most
  // kMaxStepBytes, each its own message, so that a flood cannot stop the window answering.
  void Flush();
  // Appended bytes not on the screen yet.
  size_t Waiting() const { return pending_.size(); }
  // The text as the view shows it, line breaks as CR LF (for tests).
  std::wstring ShownText() const;

  // The UTF-16 text shown for transcript bytes, with the placeholders.
  static std::wstring DisplayText(std::string_view bytes);

  static constexpr DWORD kMaxDelayMs = 50;
  static constexpr size_t kMaxStepBytes = 8 * 1024;

 protected:
  bool WndProc(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  void Follow(const Transcript::Change& change);
  void ScheduleFlush();
  // Shows up to max_bytes of what waits, never splitting a CR LF pair.
  void ShowPending(size_t max_bytes);

  Transcript* transcript_ = nullptr;
  std::string pending_;          // appended bytes not shown yet
  ULONGLONG pending_since_ = 0;  // when the oldest of them arrived
};
