// Windows' notification rules over poll(): each selected socket has a watch that asks the loop
// only for what may be reported next (the connect's outcome, bytes after a receive re-enabled
// kRead, room after a send that would block, the peer's close), so a level-triggered poll gives
// each notification once, as WSAAsyncSelect does.
#pragma once

#include <cstdint>

#include "platform/Sockets.h"
#include "platform/posix/LoopCore.h"

// Bytes waiting to be read on fd; 0 when that cannot be found out.
int WaitingBytes(int fd);

class SocketWatch final : public posix_loop::Watcher {
 public:
  enum class Phase { Idle, Connecting, Connected, Closed };

  SocketWatch(int fd, SocketEvents& events, TObject* sender);
  ~SocketWatch() override;
  SocketWatch(const SocketWatch&) = delete;
  SocketWatch& operator=(const SocketWatch&) = delete;

  uint8_t mask = 0;
  Phase phase = Phase::Idle;
  bool read_enabled = true;
  bool write_enabled = false;

  int Descriptor() const override { return fd_; }
  TObject* Sender() const override { return sender_; }
  short Interest() const override;
  // Reports at most one notification per round, and reports it last, because the receiver may
  // close the socket and so destroy this watch.
  void Ready(short revents) override;

 private:
  bool Next(short revents, int& event, int& error);
  bool NextWhileConnected(short revents, int& event, int& error);

  int fd_;
  SocketEvents& events_;
  TObject* sender_;
  uint64_t id_;
};
