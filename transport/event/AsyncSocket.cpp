// The look-up and connect state machine and the dispatch of notifications. An exception from the
// opening steps first drops the socket and then travels on; the steps nest, so the outer ones
// find the handle already given up and OnDisconnect fires once.
#include "transport/event/AsyncSocket.h"

#include <algorithm>
#include <exception>

#include "core/ErrorRoute.h"
#include "transport/Texts.h"

namespace {

TErrorEvent ErrorEventOf(int event) {
  switch (event) {
    case socket_event::kConnect:
      return errConnect;
    case socket_event::kClose:
      return errDisconnect;
    case socket_event::kRead:
      return errReceive;
    case socket_event::kWrite:
      return errSend;
    case socket_event::kAccept:
      return errAccept;
    default:
      return errGeneral;
  }
}

[[noreturn]] void RaiseSocketError(int32_t code, std::string_view api) {
  throw EAsyncSocketError(WindowsSocketErrorMessage(code, api));
}

}  // namespace

TAsyncSocket::TAsyncSocket(SocketHandle handle, const SocketsFactory& factory)
    : sockets_(factory ? factory(this, this) : NewSystemSockets(this, this)),
      handle_(handle),
      connected_(handle != kInvalidSocket) {
  SocketsVersion reported;
  if (sockets_->Start(transport_texts::kSocketsLibrary, 0x0101, reported) !=
      SocketsStart::Started) {
    RaiseSocketError(sockets_->LastError(), transport_texts::kApiStartup);
  }
}

TAsyncSocket::~TAsyncSocket() {
  OnSocketEvent = nullptr;
  try {
    if (connected_ && handle_ != kInvalidSocket) DropConnection(handle_);
    CancelLookup();
  } catch (...) {
    ReportToApplicationErrorRoute(this);
  }
  // An attempt that never connected leaves its socket open until now.
  if (handle_ != kInvalidSocket) sockets_->CloseSocket(handle_);
  if (int result = sockets_->Stop(); result != 0) {
    try {
      RaiseSocketError(result, transport_texts::kApiCleanup);
    } catch (...) {
      ReportToApplicationErrorRoute(this);
    }
  }
}

void TAsyncSocket::FireEvent(SocketEventKind kind) {
  if (OnSocketEvent) OnSocketEvent(*this, handle_, kind);
}

void TAsyncSocket::FireError(TErrorEvent error_event, int32_t& code) {
  if (OnSocketError) OnSocketError(*this, handle_, error_event, code);
}

void TAsyncSocket::SetNotifyMask(uint8_t mask) {
  mask_ = mask;
  ApplyMask();
}

// Without its notifications a socket could never be reported connected, so a platform that
// cannot set them up fails the connect.
void TAsyncSocket::ApplyMask() {
  if (handle_ == kInvalidSocket || sockets_->SelectEvents(handle_, mask_) == 0) return;
  RaiseSocketError(sockets_->LastError(), transport_texts::kApiConnect);
}

void TAsyncSocket::CancelLookup() {
  if (lookup_request_ == 0) return;
  LookupRequest request = lookup_request_;
  lookup_request_ = 0;
  if (sockets_->CancelLookup(request) != 0) {
    RaiseSocketError(sockets_->LastError(), transport_texts::kApiCancelRequest);
  }
}

// A new attempt gives up the one still pending (or failed): its look-up is cancelled and its
// socket closed, so none of its notifications can reach this object any more.
void TAsyncSocket::AbandonAttempt(SocketHandle abandoned) {
  if (abandoned != kInvalidSocket) sockets_->CloseSocket(abandoned);
  lookup_state_ = lookupIdle;
  saved_service_.clear();
  saved_port_ = 0;
  remote_ = SocketAddress{};
  CancelLookup();
}

void TAsyncSocket::OpenSocket(const std::string& host, const std::string& address,
                              const std::string& service, uint16_t port, bool blocking) {
  if (connected_) throw EAsyncSocketError(transport_texts::kSocketAlreadyOpen);
  SocketHandle fresh = sockets_->Socket(sockets::kStream, 0);
  if (fresh == kInvalidSocket) throw EAsyncSocketError(transport_texts::kCantCreateSocket);
  SocketHandle abandoned = handle_;
  handle_ = fresh;
  try {
    AbandonAttempt(abandoned);
    FireEvent(sevLookup);
    if (blocking) {
      ResolveNow(host, address, service, port);
    } else {
      LookupStep(host, address, service, port);
    }
  } catch (...) {
    DropConnection(handle_);
    throw;
  }
}

void TAsyncSocket::LookupStep(const std::string& host, const std::string& address,
                              const std::string& service, uint16_t port) {
  try {
    for (bool again = true; again;) LookupStepOnce(host, address, service, port, again);
  } catch (...) {
    DropConnection(handle_);
    throw;
  }
}

void TAsyncSocket::LookupStepOnce(const std::string& host, const std::string& address,
                                  const std::string& service, uint16_t port, bool& again) {
  again = false;
  switch (lookup_state_) {
    case lookupIdle:
      if (!host.empty()) {
        lookup_request_ = sockets_->LookupHost(host);
        if (lookup_request_ == 0) {
          RaiseSocketError(sockets_->LastError(), transport_texts::kApiGetHostByName);
        }
        saved_service_ = service;
        saved_port_ = port;
        lookup_state_ = lookupAddress;
      } else if (!address.empty()) {
        lookup_state_ = lookupAddress;
        remote_.address = sockets_->ParseAddress(address);
        again = true;
      } else {
        int32_t code = kNoAddressCode;
        FireError(errLookup, code);
        DropConnection(handle_);
        if (code != 0) throw EAsyncSocketError(transport_texts::kNoAddressSpecified);
      }
      return;
    case lookupAddress:
      if (!service.empty()) {
        lookup_request_ = sockets_->LookupService(service);
        if (lookup_request_ == 0) {
          RaiseSocketError(sockets_->LastError(), transport_texts::kApiGetServByName);
        }
        lookup_state_ = lookupService;
      } else {
        lookup_state_ = lookupService;
        remote_.port = HostToNetworkOrder(port);
        again = true;
      }
      return;
    case lookupService:
      lookup_state_ = lookupIdle;
      StartConnect();
      return;
  }
}

// The blocking client type resolves on the spot and connects before returning.
void TAsyncSocket::ResolveNow(const std::string& host, const std::string& address,
                              const std::string& service, uint16_t port) {
  if (!host.empty()) {
    // A name that is not found gives 0.0.0.0, without an error.
    Ipv4Address found{};
    sockets_->HostByName(host, found);
    remote_.address = found;
  } else if (!address.empty()) {
    remote_.address = sockets_->ParseAddress(address);
  } else {
    int32_t code = kNoAddressCode;
    FireError(errLookup, code);
    DropConnection(handle_);
    if (code != 0) throw EAsyncSocketError(transport_texts::kNoAddressSpecified);
    return;
  }
  uint16_t service_port = 0;
  if (!service.empty()) sockets_->ServiceByName(service, service_port);
  remote_.port = service.empty() ? HostToNetworkOrder(port) : service_port;
  StartConnect();
}

void TAsyncSocket::LookupDone(LookupRequest request, int error, SocketAddress result) {
  LookupDoneMessage(request, error, result);
}

void TAsyncSocket::LookupDoneMessage(LookupRequest request, int error, SocketAddress result) {
  if (request == 0 || request != lookup_request_) return;
  lookup_request_ = 0;
  if (error != 0) {
    int32_t code = error;
    FireError(errLookup, code);
    DropConnection(handle_);
    if (code != 0) RaiseSocketError(error, transport_texts::kApiAsyncLookup);
    return;
  }
  if (lookup_state_ == lookupAddress) {
    remote_.address = result.address;
    // Copies: the step may start another attempt that replaces the saved values.
    std::string service = saved_service_;
    LookupStep(std::string(), std::string(), service, saved_port_);
  } else if (lookup_state_ == lookupService) {
    remote_.port = result.port;
    saved_port_ = 0;
    saved_service_.clear();
    LookupStep(std::string(), std::string(), std::string(), 0);
  }
}

void TAsyncSocket::StartConnect() {
  ApplyMask();
  FireEvent(sevConnecting);
  if (sockets_->Connect(handle_, remote_) != 0) {
    const int error = sockets_->LastError();
    if (error != wsa::kEWOULDBLOCK) RaiseSocketError(error, transport_texts::kApiConnect);
  }
  lookup_state_ = lookupIdle;
  if (mask_ & socket_event::kConnect) return;
  connected_ = handle_ != kInvalidSocket;
  FireEvent(sevConnect);
}

void TAsyncSocket::SocketNotified(SocketHandle socket, int event, int error) {
  SocketNotifyMessage(socket, event, error);
}

void TAsyncSocket::SocketNotifyMessage(SocketHandle socket, int event, int error) {
  if (error != 0) {
    int32_t code = error;
    FireError(ErrorEventOf(event), code);
    if (code != 0) throw EAsyncSocketError(AsynchronousSocketErrorMessage(code));
    return;
  }
  switch (event) {
    case socket_event::kConnect:
      ConnectDone(socket);
      break;
    case socket_event::kClose:
      PeerClosed(socket);
      break;
    case socket_event::kRead:
      ReadReady(socket);
      break;
    case socket_event::kWrite:
      WriteReady(socket);
      break;
    case socket_event::kAccept:
      AcceptReady(socket);
      break;
    default:
      break;
  }
}

// Bytes that arrived before the peer's close are handed over as reads first, so that they are
// not lost with the socket; a reader that takes nothing ends the loop. The close is not
// notified again, so a reader that fails (memory running out in a flood) still gets the
// connection dropped before its error goes on.
void TAsyncSocket::PeerClosed(SocketHandle socket) {
  try {
    int waiting = socket == handle_ && connected_ ? sockets_->BytesWaiting(handle_) : 0;
    while (waiting > 0) {
      ReadReady(socket);
      int left = socket == handle_ && connected_ ? sockets_->BytesWaiting(handle_) : 0;
      if (left >= waiting) break;
      waiting = left;
    }
  } catch (...) {
    DropConnection(socket);
    throw;
  }
  DropConnection(socket);
}

void TAsyncSocket::ReadReady(SocketHandle handle) {
  if (handle_ == kInvalidSocket || handle != handle_) return;
  FireEvent(sevRead);
}

void TAsyncSocket::WriteReady(SocketHandle handle) {
  if (handle_ == kInvalidSocket || handle != handle_) return;
  FlushUnsent();
  if (handle != handle_) return;
  FireEvent(sevWrite);
}

// The socket is given up whatever fails on the way (the handler, or closesocket): a connection
// left half dropped, inactive but still connected, would answer neither a connect nor a
// disconnect. The first failure is raised afterwards.
void TAsyncSocket::DropConnection(SocketHandle handle) {
  CriticalSectionHold hold(lock_);
  CancelLookup();
  if (handle == kInvalidSocket || handle != handle_) return;
  std::exception_ptr failure;
  // A drop inside OnDisconnect (a send there that fails) closes without a second OnDisconnect;
  // the outer drop then finds the socket gone.
  if (dropping_ != handle) {
    dropping_ = handle;
    try {
      FireEvent(sevDisconnect);
    } catch (...) {
      failure = std::current_exception();
    }
    dropping_ = kInvalidSocket;
    if (handle != handle_) {
      if (failure) std::rethrow_exception(failure);
      return;
    }
  }
  const bool closed = sockets_->CloseSocket(handle) == 0;
  const int close_error = closed ? 0 : sockets_->LastError();
  handle_ = kInvalidSocket;
  remote_ = SocketAddress{};
  connected_ = false;
  lookup_state_ = lookupIdle;
  DropUnsent();
  if (failure) std::rethrow_exception(failure);
  if (!closed) RaiseSocketError(close_error, transport_texts::kApiCloseSocket);
}

int32_t TAsyncSocket::SendBytes(const char* buffer, int32_t count) {
  CriticalSectionHold hold(lock_);
  if (!connected_) return 0;
  if (UnsentBytes() > 0) {
    // Behind bytes still waiting: kept, so that the order holds.
    outgoing_.append(buffer, static_cast<size_t>(count));
    return kSocketError;
  }
  int sent = sockets_->Send(handle_, buffer, count);
  if (sent == kSocketError) {
    const int error = sockets_->LastError();
    if (error == wsa::kEWOULDBLOCK) {
      outgoing_.assign(buffer, static_cast<size_t>(count));
    } else {
      SendFailed(error);
    }
    return kSocketError;
  }
  if (sent < count) {
    outgoing_.assign(buffer + sent, static_cast<size_t>(count - sent));
    // A partial send does not make the platform report room later; only a send that would
    // block does, so the rest is tried until that happens.
    FlushUnsent();
  }
  return sent;
}

int32_t TAsyncSocket::SendString(const std::string& text) {
  return SendBytes(text.data(), static_cast<int32_t>(text.size()));
}

void TAsyncSocket::FlushUnsent() {
  CriticalSectionHold hold(lock_);
  while (connected_ && UnsentBytes() > 0) {
    int sent =
        sockets_->Send(handle_, outgoing_.data() + outgoing_sent_, static_cast<int>(UnsentBytes()));
    if (sent == kSocketError) {
      const int error = sockets_->LastError();
      if (error != wsa::kEWOULDBLOCK) SendFailed(error);
      return;
    }
    outgoing_sent_ += static_cast<size_t>(sent);
  }
  DropUnsent();
}

void TAsyncSocket::DropUnsent() {
  outgoing_.clear();
  outgoing_sent_ = 0;
}

void TAsyncSocket::SendFailed(int error) {
  int32_t code = error;
  FireError(errSend, code);
  DropConnection(handle_);
  if (code != 0) RaiseSocketError(code, transport_texts::kApiSend);
}

int32_t TAsyncSocket::ReceiveBytes(char* buffer, int32_t count) {
  CriticalSectionHold hold(lock_);
  if (count == -1 && connected_) return sockets_->BytesWaiting(handle_);
  if (!connected_) return 0;
  int received = sockets_->Receive(handle_, buffer, count);
  const int error = received == kSocketError ? sockets_->LastError() : 0;
  if (received == kSocketError && error != wsa::kEWOULDBLOCK) {
    int32_t code = error;
    FireError(errReceive, code);
    DropConnection(handle_);
    if (code != 0) RaiseSocketError(code, transport_texts::kApiReceive);
  }
  return received;
}

std::string_view TAsyncSocket::ReceiveString() {
  const int32_t waiting = std::clamp(ReceiveBytes(nullptr, -1), 0, kMostReceived);
  if (!received_) received_ = std::make_unique_for_overwrite<char[]>(kMostReceived);
  const int32_t received = ReceiveBytes(received_.get(), waiting);
  return std::string_view(received_.get(), received > 0 ? static_cast<size_t>(received) : 0);
}

TAsyncClientSocket::TAsyncClientSocket(SocketHandle handle, const SocketsFactory& factory)
    : TAsyncSocket(handle, factory) {}

void TAsyncClientSocket::SetClientType(TBlockingMode mode) {
  if (mode == client_type_) return;
  if (Connected()) throw EAsyncSocketError(transport_texts::kCantChangeWhileActive);
  client_type_ = mode;
  SetNotifyMask(mode == bmBlocking ? 0 : kDefaultMask);
}

void TAsyncClientSocket::ConnectDone(SocketHandle handle) {
  if (handle == kInvalidSocket || handle != Handle()) return;
  SetConnected(true);
  FireEvent(sevConnect);
}
