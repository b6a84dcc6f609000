// Start-up asks for Windows Sockets 1.1 and turns the platform's answer into the stack's
// start-up errors; each other operation is one call on the platform's sockets.
#include "core/Format.h"
#include "transport/line/NetErrors.h"
#include "transport/line/SocketStack.h"

TWinsockStack::TWinsockStack(std::unique_ptr<BlockingSockets> sockets)
    : sockets_(std::move(sockets)) {
  SocketsVersion reported;
  switch (sockets_->Start(0x0101, reported)) {
    case SocketsStart::LibraryMissing:
      throw EStackCannotLoadWinsock(
          Format(transport_texts::kCouldNotLoad, {transport_texts::kSocketsLibrary}));
    case SocketsStart::StartupFailed:
      throw EStackInitFailed();
    case SocketsStart::Started:
      break;
  }
  version_.Version = reported.version;
  version_.HighVersion = reported.high_version;
  version_.Description = reported.description;
  version_.SystemStatus = reported.system_status;
  version_.MaxSockets = reported.max_sockets;
  version_.MaxDatagram = reported.max_datagram;
}

TWinsockStack::~TWinsockStack() {
  sockets_->Stop();
}

InetEndpoint TWinsockStack::Endpoint(const std::string& ip, int32_t port) {
  InetEndpoint endpoint;
  if (!ip.empty()) endpoint.address = TextToAddress(ip);
  endpoint.port = HostToNetwork(static_cast<uint16_t>(port));
  return endpoint;
}

int TWinsockStack::Bind(SocketHandle socket, const std::string& ip, int32_t port) {
  return sockets_->Bind(socket, Endpoint(ip, port));
}

void TWinsockStack::CloseSocket(SocketHandle socket) {
  sockets_->CloseSocket(socket);
}

int TWinsockStack::Connect(SocketHandle socket, const std::string& ip, int32_t port) {
  return sockets_->Connect(socket, Endpoint(ip, port));
}

std::string TWinsockStack::HostByName(const std::string& name) {
  std::array<uint8_t, 4> address{};
  if (!sockets_->HostByName(name, address)) ThrowSocketError(sockets_->LastError());
  return AddressToText(address);
}

uint16_t TWinsockStack::HostToNetwork(uint16_t value) {
  return sockets_->HostToNetwork(value);
}

int TWinsockStack::Receive(SocketHandle socket, char* buffer, int length) {
  return sockets_->Receive(socket, buffer, length);
}

int TWinsockStack::Select(const std::vector<SocketHandle>& readSet, const WaitTime* timeout) {
  if (readSet.size() > sockets::kMaxSetSize) throw EStackSetSizeExceeded();
  return sockets_->SelectReadable(readSet, timeout);
}

int TWinsockStack::Send(SocketHandle socket, const char* data, int length) {
  return sockets_->Send(socket, data, length);
}

void TWinsockStack::SetOption(SocketHandle socket, int level, int option, int32_t value) {
  CheckSocketCall(sockets_->SetOption(socket, level, option, value));
}

SocketHandle TWinsockStack::Socket(int type, int protocol) {
  return sockets_->Socket(type, protocol);
}

void TWinsockStack::Shutdown(SocketHandle socket, int how) {
  sockets_->Shutdown(socket, how);
}

int TWinsockStack::LastError() {
  return sockets_->LastError();
}

void TWinsockStack::PeerName(SocketHandle socket, std::string& ip, int32_t& port) {
  InetEndpoint endpoint;
  CheckSocketCall(sockets_->PeerName(socket, endpoint));
  ip = AddressToText(endpoint.address);
  port = sockets_->NetworkToHost(endpoint.port);
}

void TWinsockStack::SocketName(SocketHandle socket, std::string& ip, int32_t& port) {
  InetEndpoint endpoint;
  CheckSocketCall(sockets_->LocalName(socket, endpoint));
  ip = AddressToText(endpoint.address);
  port = sockets_->NetworkToHost(endpoint.port);
}
