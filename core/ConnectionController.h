// Which transport a connection uses, opening and closing it, the window's idle and connected
// states, the poll for received lines and the transcript entries of every connect, disconnect
// and received text.
#pragma once

#include <cstdint>
#include <string>

#include "core/TransportKinds.h"

class HistoryList;
class LineTransport;
class EventTransport;
class Transcript;

// Controls whose enabled state the controller switches.
enum class ConnectionControl {
  ConnectButton,
  DisconnectButton,
  SendButton,
  TransportList,
  AddressBox,
  PortBox
};

// The main window as the controller sees it. Called on the GUI thread only; none of these may
// call back into the controller.
class ConnectionView {
 public:
  virtual ~ConnectionView() = default;
  virtual void SetControlEnabled(ConnectionControl control, bool enabled) = 0;
  virtual void FocusMessageBox() = 0;
  virtual void ShowKindLabel(const std::string& text) = 0;
  virtual void ShowEndpointLabel(const std::string& text) = 0;
  // Starting restarts the full interval.
  virtual void StartPollTimer() = 0;
  virtual void StopPollTimer() = 0;
  virtual void RepaintWindow() = 0;
  virtual std::string AddressText() = 0;
  virtual int32_t PortValue() = 0;
  // The transport list's selected index, -1 when nothing is selected.
  virtual int32_t TransportIndex() = 0;
  virtual HistoryList& AddressHistory() = 0;
};

class ConnectionController {
 public:
  // The kinds are the rows of kTransportKinds; kNoKind is set after every disconnect.
  static constexpr int32_t kLineKind = KindOf(TransportStyle::Line);
  static constexpr int32_t kEventKind = KindOf(TransportStyle::Event);
  static constexpr int32_t kNoKind = 3;
  static_assert(kTransportKinds.size() <= kNoKind, "a transport's kind would read as none");
  // PollTick's period, and how long one poll waits for a line.
  static constexpr uint32_t kPollIntervalMs = 500;
  static constexpr int32_t kPollWaitMs = 5;

  ConnectionController(ConnectionView& view, Transcript& transcript, LineTransport& line,
                       EventTransport& event);

  void Connect();
  void Disconnect();
  void HandleConnected();
  void HandleDisconnected();
  void PollTick();
  void HandleChunk();
  bool IsConnected();

  int32_t TransportKind() const { return transport_kind_; }
  const std::string& KindLabel() const { return kind_label_; }
  const std::string& EndpointLabel() const { return endpoint_label_; }

 private:
  void SetKindLabel(const std::string& text);
  void SetEndpointLabel(const std::string& text);

  ConnectionView& view_;
  Transcript& transcript_;
  LineTransport& line_;
  EventTransport& event_;
  int32_t transport_kind_ = kLineKind;
  std::string kind_label_;
  std::string endpoint_label_;
};
