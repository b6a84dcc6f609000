// One platform socket and its two endpoints; the owner of the socket (destroying the handle
// shuts down and closes a socket that is still allocated).
#pragma once

#include <cstdint>
#include <string>

#include "core/Component.h"
#include "platform/SocketTypes.h"

struct WaitTime;

class TSocketStack;

// A wait without limit for ReadLine and WaitReadable.
inline constexpr int32_t WaitForever = -2;

class TSocketHandle : public TObject {
 public:
  explicit TSocketHandle(TSocketStack& stack) : stack_(stack) {}
  ~TSocketHandle() override;
  TSocketHandle(const TSocketHandle&) = delete;
  TSocketHandle& operator=(const TSocketHandle&) = delete;

  SocketHandle Socket() const { return socket_; }
  // True from a successful CreateSocket until ReleaseSocket: what "open" means.
  bool Allocated() const { return allocated_; }
  const std::string& IP() const { return ip_; }
  void SetIP(const std::string& ip) { ip_ = ip; }
  int32_t Port() const { return port_; }
  const std::string& RemoteIP() const { return remote_ip_; }
  int32_t RemotePort() const { return remote_port_; }

  // Releases any socket, then makes a new one; raises EInvalidSocket when none can be had.
  void CreateSocket(int type, int protocol);
  // Shuts the sending side and closes the socket (results ignored), then ResetEndpoints.
  void ReleaseSocket(bool clearLocal);
  // Binds to IP (empty: any address) and the local port. Raises ECouldNotBindSocket when the
  // address is in use, the socket error of any other failure.
  void BindLocal();
  void SetRemote(const std::string& ip, int32_t port);
  // Blocking connect to RemoteIP:RemotePort; raises the socket error of a failure.
  void ConnectRemote();
  // Raises EConnClosedGracefully when no socket is allocated. True when the socket is
  // readable within timeoutMs (WaitForever: no limit); a time-out or a failure gives false.
  bool WaitReadable(int32_t timeoutMs);
  // The same for a wait given exactly; null waits without limit.
  bool WaitReadable(const WaitTime* timeout);
  void ReadLocal();
  void ReadRemote();
  // Socket := none, Allocated := false, the remote endpoint cleared, and with clearLocal the
  // local one too.
  void ResetEndpoints(bool clearLocal);

 private:
  TSocketStack& stack_;
  SocketHandle socket_ = kInvalidSocket;
  bool allocated_ = false;
  std::string ip_;
  int32_t port_ = 0;
  std::string remote_ip_;
  int32_t remote_port_ = 0;
};
