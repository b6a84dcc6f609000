// The read-only view of the transcript: no border, white, a vertical scroll bar, lines wrapped
// at its width, CR LF the only line break, the end of the text shown after each append and no
// size limit. A zero byte, a byte without a character, and a lone CR or LF are shown as visible
// placeholders; the transcript's bytes are never changed. Appends that arrive together are
// shown together, so the cost of one append does not grow with the text.
#pragma once

#include <string>

#include "core/Transcript.h"
#include "shell/framework/WinControl.h"

class TTranscriptView : public TWinControl {
 public:
  explicit TTranscriptView(TComponent* owner);
  ~TTranscriptView() override;

  // Shows the transcript's text and follows its changes until the view is destroyed.
  void Bind(Transcript& transcript);
  // Shows what is still waiting now (otherwise it is shown when the queue runs empty).
  void Flush();
  // The text as the view shows it, line breaks as CR LF (for tests).
  std::wstring ShownText() const;

  // The UTF-16 text shown for transcript bytes, with the placeholders.
  static std::wstring DisplayText(std::string_view bytes);
};
