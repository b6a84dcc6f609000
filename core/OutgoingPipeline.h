// Turns what the user typed in the message box into a line sent to the server or one of the
// four local commands, echoes what was sent and keeps the message history.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

class ConnectionController;
class EventTransport;
class HistoryList;
class LineTransport;
class Transcript;

// The message box and the local effects of the commands, as the shell provides them.
class PipelineView {
 public:
  virtual ~PipelineView() = default;
  virtual std::string MessageText() = 0;
  virtual void ClearMessageText() = 0;
  virtual void FocusMessageBox() = 0;
  virtual HistoryList& MessageHistory() = 0;
  // The open-file dialog: the full path chosen, or nothing when the user cancels.
  virtual std::optional<std::filesystem::path> PickFileName() = 0;
  // Asks the application to end once the current event has been handled.
  virtual void RequestTerminate() = 0;
};

class OutgoingPipeline {
 public:
  OutgoingPipeline(PipelineView& view, Transcript& transcript,
                   const ConnectionController& controller, LineTransport& line,
                   EventTransport& event);

  // The whole send of the message box's text, commands included.
  void SendTyped();
  // Hands text to the transport that the controller's TransportKind names.
  void Send(const std::string& text);

  const std::string& LastSentLine() const { return last_sent_; }
  const std::string& WorkingLine() const { return working_; }

 private:
  PipelineView& view_;
  Transcript& transcript_;
  const ConnectionController& controller_;
  LineTransport& line_;
  EventTransport& event_;
  std::string working_;
  std::string last_sent_;
};
