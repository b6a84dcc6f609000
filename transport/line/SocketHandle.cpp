#include "transport/line/SocketHandle.h"

#include "platform/Sockets.h"
#include "transport/line/NetErrors.h"
#include "transport/line/SocketStack.h"

TSocketHandle::~TSocketHandle() {
  if (allocated_) ReleaseSocket(true);
}

void TSocketHandle::CreateSocket(int type, int protocol) {
  ReleaseSocket(true);
  SocketHandle socket = stack_.NewSocket(type, protocol);
  if (socket == kInvalidSocket) throw EInvalidSocket();
  socket_ = socket;
  allocated_ = true;
}

void TSocketHandle::ReleaseSocket(bool clearLocal) {
  if (allocated_) {
    allocated_ = false;
    stack_.Shutdown(socket_, sockets::kShutdownSend);
    stack_.CloseSocket(socket_);
  }
  ResetEndpoints(clearLocal);
}

void TSocketHandle::BindLocal() {
  if (stack_.CheckSocketCall(stack_.Bind(socket_, ip_, port_), {wsa::kEADDRINUSE})) {
    throw ECouldNotBindSocket();
  }
}

void TSocketHandle::SetRemote(const std::string& ip, int32_t port) {
  remote_ip_ = ip;
  remote_port_ = port;
}

void TSocketHandle::ConnectRemote() {
  stack_.CheckSocketCall(stack_.Connect(socket_, remote_ip_, remote_port_));
}

bool TSocketHandle::WaitReadable(int32_t timeoutMs) {
  const WaitTime wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  return WaitReadable(timeoutMs == WaitForever ? nullptr : &wait);
}

bool TSocketHandle::WaitReadable(const WaitTime* timeout) {
  if (!allocated_) throw EConnClosedGracefully();
  return stack_.Select({socket_}, timeout) == 1;
}

void TSocketHandle::ReadLocal() {
  stack_.SocketName(socket_, ip_, port_);
}

void TSocketHandle::ReadRemote() {
  stack_.PeerName(socket_, remote_ip_, remote_port_);
}

void TSocketHandle::ResetEndpoints(bool clearLocal) {
  socket_ = kInvalidSocket;
  allocated_ = false;
  remote_ip_.clear();
  remote_port_ = 0;
  if (clearLocal) {
    ip_.clear();
    port_ = 0;
  }
}
