// Start-up asks for Windows Sockets 1.1 and turns the platform's answer into the stack's
// start-up errors; each other operation is one call on the platform's sockets.
#include "core/Format.h"
#include "transport/Texts.h"
#include "transport/line/NetErrors.h"
#include "transport/line/SocketStack.h"

using namespace transport_texts;

TWinsockStack::TWinsockStack(std::unique_ptr<Sockets> sockets) : sockets_(std::move(sockets)) {
  switch (sockets_->Start(kSocketsLibrary, 0x0101, version_.Reported)) {
    case SocketsStart::LibraryMissing:
      throw EStackCannotLoadWinsock(Format(kCouldNotLoad, {kSocketsLibrary}));
    case SocketsStart::StartupFailed:
      throw EStackInitFailed();
    case SocketsStart::Started:
      break;
  }
}

TWinsockStack::~TWinsockStack() {
  sockets_->Stop();
}

SocketAddress TWinsockStack::Endpoint(const std::string& ip, int32_t port) {
  SocketAddress endpoint;
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
  Ipv4Address address{};
  if (!sockets_->HostByName(name, address)) ThrowSocketError(sockets_->LastError());
  return AddressToText(address);
}

uint16_t TWinsockStack::HostToNetwork(uint16_t value) {
  return HostToNetworkOrder(value);
}

int TWinsockStack::Receive(SocketHandle socket, char* buffer, int length) {
  return sockets_->Receive(socket, buffer, length);
}

int TWinsockStack::Select(const std::vector<SocketHandle>& readSet, const WaitTime* timeout) {
  if (readSet.size() > sockets::kMaxSetSize) throw EStackSetSizeExceeded();
  return sockets_->SelectReadable(readSet, timeout);
}

int64_t TWinsockStack::Microseconds() {
  return sockets_->Microseconds();
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

void TWinsockStack::ReadName(int result, const SocketAddress& address, std::string& ip,
                             int32_t& port) {
  CheckSocketCall(result);
  ip = AddressToText(address.address);
  port = NetworkToHostOrder(address.port);
}

void TWinsockStack::PeerName(SocketHandle socket, std::string& ip, int32_t& port) {
  SocketAddress address;
  ReadName(sockets_->PeerName(socket, address), address, ip, port);
}

void TWinsockStack::SocketName(SocketHandle socket, std::string& ip, int32_t& port) {
  SocketAddress address;
  ReadName(sockets_->LocalName(socket, address), address, ip, port);
}
