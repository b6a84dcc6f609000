// The component side of the event-driven transport: the published settings with their
// activation rules (TSocketComponentBase) and the events that socket events become
// (TSocketComponent).
#pragma once

#include <cstdint>
#include <string>

#include "transport/event/AsyncSocket.h"

class TSocketComponentBase : public TComponent {
 public:
  explicit TSocketComponentBase(TComponent* owner) : TComponent(owner) {}

  // True from just before OnConnect until just before OnDisconnect.
  bool Active() const { return active_; }
  // True starts an attempt (it returns before the connection is up); false closes a
  // connection. Nothing happens when the value is the current one.
  void SetActive(bool value);

  // A value equal to the stored one (a to z compared without regard to case for the texts)
  // changes nothing; another one raises kCantChangeWhileActive while Active, unless the owner is
  // being loaded.
  int32_t Port() const { return port_; }
  void SetPort(int32_t port);
  const std::string& Address() const { return address_; }
  void SetAddress(const std::string& address);
  const std::string& Host() const { return host_; }
  void SetHost(const std::string& host);
  const std::string& Service() const { return service_; }
  void SetService(const std::string& service);

 protected:
  virtual void HandleEvent(TAsyncSocket& socket, SocketEventKind kind) = 0;
  virtual void HandleError(TAsyncSocket& socket, TErrorEvent error_event, int32_t& code) = 0;
  virtual void Activate(bool value) = 0;
  // Once the owner is loaded, the stored Active value is applied.
  void Loaded() override;

  bool active_ = false;

 private:
  void SetText(std::string& field, const std::string& value);
  void CheckInactive() const;

  int32_t port_ = 0;
  std::string address_;
  std::string host_;
  std::string service_;
};

class TSocketComponent : public TSocketComponentBase {
 public:
  explicit TSocketComponent(TComponent* owner) : TSocketComponentBase(owner) {}

  TSocketNotifyEvent OnLookup;
  TSocketNotifyEvent OnConnecting;
  TSocketNotifyEvent OnConnect;
  TSocketNotifyEvent OnDisconnect;
  TSocketNotifyEvent OnRead;
  TSocketNotifyEvent OnWrite;
  TSocketErrorEvent OnError;

 protected:
  // Sets Active for sevConnect/sevListen (true) and sevDisconnect (false), then calls the event.
  void HandleEvent(TAsyncSocket& socket, SocketEventKind kind) override;
  void HandleError(TAsyncSocket& socket, TErrorEvent error_event, int32_t& code) override;

  // A server's events; a client never calls them.
  TSocketNotifyEvent OnListen;
  TSocketNotifyEvent OnAccept;
};
