// Nothing here catches: a transport's error ends the event being handled where it arises and
// the shell reports it. Each handler re-reads what it needs after a call that can run
// callbacks, because the transports call back into HandleConnected/HandleDisconnected.
#include "core/ConnectionController.h"

#include "core/HistoryList.h"
#include "core/Texts.h"
#include "core/Transcript.h"
#include "core/TransportPorts.h"

ConnectionController::ConnectionController(ConnectionView& view, Transcript& transcript,
                                           LineTransport& line, EventTransport& event)
    : view_(view),
      transcript_(transcript),
      line_(line),
      event_(event),
      kind_label_(texts::kNoConnection) {}

void ConnectionController::SetKindLabel(const std::string& text) {
  kind_label_ = text;
  view_.ShowKindLabel(kind_label_);
}

void ConnectionController::SetEndpointLabel(const std::string& text) {
  endpoint_label_ = text;
  view_.ShowEndpointLabel(endpoint_label_);
}

void ConnectionController::Connect() {
  const std::string address = view_.AddressText();
  view_.AddressHistory().AddUnique(address);
  transport_kind_ = view_.TransportIndex();
  const TransportKindRow* kind = TransportKindRowOf(transport_kind_);
  if (!kind) return;
  switch (kind->style) {
    case TransportStyle::Line:
      line_.SetHost(address);
      line_.SetPort(view_.PortValue());
      line_.Open();
      break;
    case TransportStyle::Event:
      event_.SetHost(address);
      event_.SetPort(view_.PortValue());
      event_.SetActive(true);
      break;
  }
}

void ConnectionController::Disconnect() {
  const TransportKindRow* kind = TransportKindRowOf(transport_kind_);
  if (!kind) return;
  switch (kind->style) {
    case TransportStyle::Line:
      line_.Close();
      break;
    case TransportStyle::Event:
      event_.SetActive(false);
      break;
  }
}

void ConnectionController::HandleConnected() {
  view_.StartPollTimer();
  view_.SetControlEnabled(ConnectionControl::DisconnectButton, true);
  view_.SetControlEnabled(ConnectionControl::ConnectButton, false);
  view_.SetControlEnabled(ConnectionControl::TransportList, false);
  view_.SetControlEnabled(ConnectionControl::AddressBox, false);
  view_.SetControlEnabled(ConnectionControl::PortBox, false);
  view_.SetControlEnabled(ConnectionControl::SendButton, true);
  view_.FocusMessageBox();
  if (const TransportKindRow* kind = TransportKindRowOf(transport_kind_)) {
    SetKindLabel(kind->name);
    switch (kind->style) {
      case TransportStyle::Line:
        SetEndpointLabel(line_.Host() + ":" + std::to_string(line_.Port()));
        break;
      case TransportStyle::Event:
        SetEndpointLabel(event_.Host() + ":" + std::to_string(event_.Port()));
        break;
    }
  }
  transcript_.AppendStatus(texts::kConnectedWith + endpoint_label_ + " (" + kind_label_ + ");" +
                           texts::kLineEnd);
}

void ConnectionController::HandleDisconnected() {
  view_.StopPollTimer();
  view_.SetControlEnabled(ConnectionControl::DisconnectButton, false);
  view_.SetControlEnabled(ConnectionControl::TransportList, true);
  view_.SetControlEnabled(ConnectionControl::AddressBox, true);
  view_.SetControlEnabled(ConnectionControl::PortBox, true);
  view_.SetControlEnabled(ConnectionControl::ConnectButton, true);
  view_.SetControlEnabled(ConnectionControl::SendButton, false);
  transcript_.Append(texts::kLineEnd + texts::kStatusPrefix + texts::kDisconnectedFrom +
                     endpoint_label_ + " (" + kind_label_ + ");" + texts::kLineEnd +
                     texts::kLineEnd + texts::kSeparatorLine + texts::kLineEnd);
  SetKindLabel(texts::kNoConnection);
  SetEndpointLabel(std::string());
  transport_kind_ = kNoKind;
  view_.RepaintWindow();
}

void ConnectionController::PollTick() {
  if (!line_.IsOpen()) return;
  const std::string line = line_.ReadLine(std::string(), kPollWaitMs);
  if (line.empty() || line[0] == '@') return;
  transcript_.Append(texts::kReceivedPrefix, line);
}

void ConnectionController::HandleChunk() {
  transcript_.Append(texts::kReceivedPrefix, event_.ReceiveString());
}

bool ConnectionController::IsConnected() {
  return line_.IsOpen() || event_.Active();
}
