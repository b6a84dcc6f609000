// A TCP peer on 127.0.0.1 for tests: it listens on a port the system picks and, when the test
// says so, accepts one connection, sends, receives, half-closes, closes or resets it. Every
// call that waits has a time-out, so a failing test ends instead of hanging.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class LoopbackPeer {
 public:
  LoopbackPeer();
  ~LoopbackPeer();
  LoopbackPeer(const LoopbackPeer&) = delete;
  LoopbackPeer& operator=(const LoopbackPeer&) = delete;

  uint16_t Port() const { return port_; }
  // Accepts the next connection (closing the previous one). False on time-out.
  bool Accept(int timeout_ms = 5000);
  bool Connected() const;
  // Sends every byte (blocking).
  void Send(std::string_view bytes);
  // Reads until count bytes have arrived, the connection ends or the time-out passes.
  std::string Receive(size_t count, int timeout_ms = 5000);
  // Reads whatever arrives until nothing more comes for quiet_ms.
  std::string ReceiveAvailable(int quiet_ms = 200);
  // True when the client has closed its side (a read returns 0) within the time-out.
  bool WaitForClose(int timeout_ms = 5000);
  // Ends the sending side only (FIN); receiving goes on.
  void ShutdownSend();
  // Orderly close of the accepted connection.
  void Close();
  // Abortive close (RST) of the accepted connection.
  void Reset();
  void StopListening();

  // A loopback port on which nothing listens, the same for the whole process.
  static uint16_t RefusedPort();
  // A loopback port that was free a moment ago, for a server to listen on.
  static uint16_t FreePort();

 private:
  bool WaitReadable(std::uintptr_t socket, int timeout_ms);

  std::uintptr_t listener_;
  std::uintptr_t connection_;
  uint16_t port_ = 0;
};
