#include "transport/event/EventClient.h"

TEventClient::TEventClient(TComponent* owner, const SocketsFactory& factory)
    : TSocketComponent(owner),
      socket_(std::make_unique<TAsyncClientSocket>(kInvalidSocket, factory)) {
  socket_->OnSocketEvent = [this](TAsyncSocket& socket, SocketHandle, SocketEventKind kind) {
    HandleEvent(socket, kind);
  };
  socket_->OnSocketError = [this](TAsyncSocket& socket, SocketHandle, TErrorEvent error_event,
                                  int32_t& code) { HandleError(socket, error_event, code); };
}

// The socket object goes first, while the handlers it may still call exist.
TEventClient::~TEventClient() {
  socket_.reset();
}

void TEventClient::Activate(bool value) {
  if (value == socket_->Connected()) return;
  if (socket_->Connected()) {
    socket_->DropConnection(socket_->Handle());
  } else {
    socket_->OpenSocket(Host(), Address(), Service(), static_cast<uint16_t>(Port()),
                        BlockingMode() == bmBlocking);
  }
}
