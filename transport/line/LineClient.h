// The blocking line client behind "TCP/IP Server": a line connection with a target, opened
// synchronously. It is the line transport that the connection controller drives.
#pragma once

#include <cstdint>
#include <string>

#include "core/TransportPorts.h"
#include "transport/line/LineConnection.h"
#include "transport/line/ProxyInfo.h"

class TLineClient : public TLineConnection, public LineTransport {
 public:
  explicit TLineClient(TComponent* owner = nullptr) : TLineConnection(owner) {}

  void SetHost(const std::string& host) override { host_ = host; }
  const std::string& Host() const override { return host_; }
  // Only the low 16 bits reach the platform.
  void SetPort(int32_t port) override { port_ = port; }
  int32_t Port() const override { return port_; }
  const std::string& BoundIP() const { return bound_ip_; }
  void SetBoundIP(const std::string& ip) { bound_ip_ = ip; }
  bool UseNagle() const { return use_nagle_; }
  void SetUseNagle(bool use) { use_nagle_ = use; }
  TProxyInfo& ProxyInfo() { return proxy_info_; }

  // Calls OnConnected with this component when it is set.
  virtual void NotifyConnected();
  // Connects to Host:Port, blocking until connected or failed; OnConnected runs inside on
  // success. Raises EAlreadyConnected while open (nothing else happens) and EInvalidSocket when
  // no socket can be had. Any later failure (bind, look-up, option, connect) first closes the
  // socket, with OnDisconnected, and then raises.
  void Open() override;

  // The controller's operations, as the connection implements them.
  void Close() override { TLineConnection::Close(); }
  bool IsOpen() const override { return TLineConnection::IsOpen(); }
  std::string ReadLine(const std::string& terminator, int32_t timeoutMs) override {
    return TLineConnection::ReadLine(terminator, timeoutMs);
  }
  void WriteLine(const std::string& text) override { TLineConnection::WriteLine(text); }

  TNotifyEvent OnConnected;

 private:
  void Connect();

  std::string host_;
  int32_t port_ = 0;
  std::string bound_ip_;
  bool use_nagle_ = true;
  TProxyInfo proxy_info_;
};
