// The "Server Socket" transport: a non-blocking TCP client component that owns one socket object
// for its whole life and offers the operations the connection controller uses.
#pragma once

#include <memory>

#include "core/TransportPorts.h"
#include "transport/event/SocketComponent.h"

class TEventClient : public TSocketComponent, public EventTransport {
 public:
  // Raises the socket error naming kApiStartup when the socket stack cannot start.
  explicit TEventClient(TComponent* owner = nullptr, const SocketsFactory& factory = {});
  ~TEventClient() override;

  TBlockingMode BlockingMode() const { return socket_->ClientType(); }
  void SetBlockingMode(TBlockingMode mode) { socket_->SetClientType(mode); }
  // The object passed as Socket to every event.
  TAsyncClientSocket& Socket() { return *socket_; }

  // EventTransport
  void SetHost(const std::string& host) override { TSocketComponentBase::SetHost(host); }
  const std::string& Host() const override { return TSocketComponentBase::Host(); }
  void SetPort(int32_t port) override { TSocketComponentBase::SetPort(port); }
  int32_t Port() const override { return TSocketComponentBase::Port(); }
  void SetActive(bool active) override { TSocketComponentBase::SetActive(active); }
  bool Active() const override { return TSocketComponentBase::Active(); }
  std::string_view ReceiveString() override { return socket_->ReceiveString(); }
  int32_t SendString(const std::string& text) override { return socket_->SendString(text); }

 protected:
  void Activate(bool value) override;

 private:
  std::unique_ptr<TAsyncClientSocket> socket_;
};
