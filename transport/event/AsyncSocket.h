// The socket object of the event-driven transport: one IPv4 TCP socket with its look-up and
// connect state machine, the dispatch of the platform's notifications, and sending and
// receiving. Everything runs on the GUI thread; notifications come from the event loop.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Sockets.h"
#include "transport/event/AsyncSocketTypes.h"
#include "transport/event/CriticalSection.h"

class TAsyncSocket : public TObject, private SocketEvents {
 public:
  // Called for every socket event with (socket object, socket, kind).
  using EventCallback =
      std::function<void(TAsyncSocket& sender, SocketHandle socket, SocketEventKind kind)>;
  // Called with (socket object, socket, operation, code); a code set to 0 raises nothing.
  using ErrorCallback = std::function<void(TAsyncSocket& sender, SocketHandle socket,
                                           TErrorEvent error_event, int32_t& code)>;

  static constexpr uint8_t kDefaultMask =
      socket_event::kRead | socket_event::kWrite | socket_event::kConnect | socket_event::kClose;
  static constexpr int32_t kNoAddressCode = 1110;
  // The most bytes one ReceiveString takes. What waits beyond it is left for the next read
  // notification, which the platform sends while bytes wait: a peer that sends faster than the
  // window shows never holds the window in one message for longer than this many bytes take.
  static constexpr int32_t kMostReceived = 256 * 1024;

  // Starts the socket stack (version 1.1); raises the socket error naming kApiStartup when it
  // cannot.
  explicit TAsyncSocket(SocketHandle handle, const SocketsFactory& factory = {});
  // Closes a connection without OnDisconnect, cancels a pending look-up and stops the socket
  // stack. Failures go to the application's error route.
  ~TAsyncSocket() override;
  TAsyncSocket(const TAsyncSocket&) = delete;
  TAsyncSocket& operator=(const TAsyncSocket&) = delete;

  // Starts an attempt on a new socket: with blocking false it returns once the host look-up is
  // requested or the connect is under way; with blocking true it returns connected.
  void OpenSocket(const std::string& host, const std::string& address, const std::string& service,
                  uint16_t port, bool blocking);

  virtual void AcceptReady(SocketHandle) {}
  virtual void ConnectDone(SocketHandle) {}
  // OnDisconnect, then the socket is closed; a handle that is not the current one is ignored.
  // The socket is given up even when OnDisconnect or closesocket fails; then that error is
  // raised (the handler's first).
  virtual void DropConnection(SocketHandle handle);
  virtual void ReadReady(SocketHandle handle);
  virtual void WriteReady(SocketHandle handle);

  // One send; the count the platform took, 0 when not connected, -1 when it would block. Bytes
  // the platform did not take are kept, in order, and sent when the socket can take them.
  int32_t SendBytes(const char* buffer, int32_t count);
  int32_t SendString(const std::string& text);
  // count -1: the number of bytes waiting. Otherwise one receive of at most count bytes: the
  // count read, 0 when not connected, -1 when it would block.
  int32_t ReceiveBytes(char* buffer, int32_t count);
  // The bytes waiting when it is called, up to kMostReceived, by one receive; empty when none.
  // They stay valid until the next ReceiveString on this object.
  std::string_view ReceiveString();

  // The two notifications of the platform (the hidden window's socket and look-up messages).
  void SocketNotifyMessage(SocketHandle socket, int event, int error);
  void LookupDoneMessage(LookupRequest request, int error, SocketAddress result);

  SocketHandle Handle() const { return handle_; }
  bool Connected() const { return connected_; }
  uint8_t NotifyMask() const { return mask_; }
  LookupState Lookup() const { return lookup_state_; }
  LookupRequest PendingLookup() const { return lookup_request_; }
  SocketAddress RemoteAddress() const { return remote_; }
  // Bytes accepted by SendBytes that the platform has not taken yet.
  size_t UnsentBytes() const { return outgoing_.size() - outgoing_sent_; }

  EventCallback OnSocketEvent;
  ErrorCallback OnSocketError;

 protected:
  virtual void FireEvent(SocketEventKind kind);
  virtual void FireError(TErrorEvent error_event, int32_t& code);
  // The notification mask; applied at once when a socket exists.
  void SetNotifyMask(uint8_t mask);
  void SetConnected(bool connected) { connected_ = connected; }

 private:
  void SocketNotified(SocketHandle socket, int event, int error) override;
  void LookupDone(LookupRequest request, int error, SocketAddress result) override;

  void AbandonAttempt(SocketHandle abandoned);
  void CancelLookup();
  void LookupStep(const std::string& host, const std::string& address, const std::string& service,
                  uint16_t port);
  void LookupStepOnce(const std::string& host, const std::string& address,
                      const std::string& service, uint16_t port, bool& again);
  void ResolveNow(const std::string& host, const std::string& address, const std::string& service,
                  uint16_t port);
  void StartConnect();
  void ApplyMask();
  void PeerClosed(SocketHandle socket);
  void FlushUnsent();
  void SendFailed(int error);
  void DropUnsent();

  std::unique_ptr<Sockets> sockets_;
  SocketHandle handle_;
  bool connected_;
  SocketAddress remote_;
  uint8_t mask_ = kDefaultMask;
  LookupState lookup_state_ = lookupIdle;
  LookupRequest lookup_request_ = 0;
  TCriticalSection lock_;
  std::string saved_service_;
  uint16_t saved_port_ = 0;
  std::string outgoing_;
  size_t outgoing_sent_ = 0;
  // Where ReceiveString receives (kMostReceived bytes once needed): kept from one read to the
  // next, since fresh memory for each read can cost more than the read itself.
  std::unique_ptr<char[]> received_;
  SocketHandle dropping_ = kInvalidSocket;
};

// The client type: marks the socket connected when the connect notification arrives.
class TAsyncClientSocket : public TAsyncSocket {
 public:
  explicit TAsyncClientSocket(SocketHandle handle, const SocketsFactory& factory = {});

  TBlockingMode ClientType() const { return client_type_; }
  // Raises kCantChangeWhileActive while connected.
  void SetClientType(TBlockingMode mode);

  void ConnectDone(SocketHandle handle) override;

 private:
  TBlockingMode client_type_ = bmNonBlocking;
};
