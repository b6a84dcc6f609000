// Commands are compared byte for byte with the whole working line, in a fixed order, each
// test seeing what the earlier ones left.
#include "core/OutgoingPipeline.h"

#include "core/ConnectionController.h"
#include "core/HistoryList.h"
#include "core/PathText.h"
#include "core/Texts.h"
#include "core/Transcript.h"
#include "core/TransportPorts.h"

OutgoingPipeline::OutgoingPipeline(PipelineView& view, Transcript& transcript,
                                   const ConnectionController& controller, LineTransport& line,
                                   EventTransport& event)
    : view_(view), transcript_(transcript), controller_(controller), line_(line), event_(event) {}

void OutgoingPipeline::Send(const std::string& text) {
  // Recorded first, so that a line whose sending fails still counts for "!r".
  last_sent_ = text;
  const TransportKindRow* kind = TransportKindRowOf(controller_.TransportKind());
  if (!kind) return;
  switch (kind->style) {
    case TransportStyle::Line:
      line_.WriteLine(text);
      break;
    case TransportStyle::Event:
      event_.SendString(text);
      break;
  }
}

void OutgoingPipeline::SendTyped() {
  const std::string typed = view_.MessageText();
  working_ = typed;
  if (working_ == texts::kCommandClear) {
    working_ = texts::kNothingToSend;
    transcript_.Clear();
  }
  if (working_ == texts::kCommandFileName) {
    // The path goes out as text, in the wire's code page.
    if (std::optional<std::filesystem::path> path = view_.PickFileName())
      working_ = PathText(*path);
  }
  if (working_ == texts::kCommandTerminate) {
    working_ = texts::kNothingToSend;
    view_.RequestTerminate();
  }
  if (working_ == texts::kCommandRepeat) working_ = last_sent_;
  if (working_ != texts::kNothingToSend) {
    const std::string line = working_;
    Send(line);
    transcript_.Append(texts::kSentPrefix + line);
  }
  view_.MessageHistory().AddUnique(typed);
  view_.ClearMessageText();
  view_.FocusMessageBox();
}
