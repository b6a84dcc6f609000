// A loopback server that misbehaves on a script: once a client has connected it plays the steps
// on a thread of its own (floods, trickles, falls silent, half-closes, closes or resets), so a
// blocking client can read while the peer sends. The test tells it how many bytes the client
// has taken, which a step can wait for.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "support/LineAccount.h"
#include "support/LoopbackPeer.h"

struct PeerStep {
  enum class Act { Send, Trickle, AwaitTaken, Receive, ShutdownSend, Close, Reset };
  Act act;
  std::string bytes;    // Send, Trickle
  int ms_per_byte = 0;  // Trickle
  size_t count = 0;     // AwaitTaken: bytes the client has taken; Receive: bytes to read

  static PeerStep Send(std::string bytes) { return {Act::Send, std::move(bytes), 0, 0}; }
  static PeerStep Trickle(std::string bytes, int ms) {
    return {Act::Trickle, std::move(bytes), ms, 0};
  }
  static PeerStep AwaitTaken(size_t count) { return {Act::AwaitTaken, {}, 0, count}; }
  static PeerStep Receive(size_t count) { return {Act::Receive, {}, 0, count}; }
  static PeerStep ShutdownSend() { return {Act::ShutdownSend, {}, 0, 0}; }
  static PeerStep Close() { return {Act::Close, {}, 0, 0}; }
  static PeerStep Reset() { return {Act::Reset, {}, 0, 0}; }
};
using PeerScript = std::vector<PeerStep>;

class HostilePeer {
 public:
  HostilePeer() = default;
  // Waits for the script to end: the client must be gone or reading by then.
  ~HostilePeer();
  HostilePeer(const HostilePeer&) = delete;
  HostilePeer& operator=(const HostilePeer&) = delete;

  uint16_t Port() const { return peer_.Port(); }
  // Accepts the client's connection and plays script on the peer's thread. The connection
  // stays open after the last step unless a step ended it.
  void Play(PeerScript script);
  // Whether every step has been played (or one failed because the client was gone).
  bool Finished() const { return finished_; }
  // The bytes the script sends, in order.
  static std::string Sent(const PeerScript& script);

  // How many bytes the client has taken so far; set by the test.
  std::atomic<size_t> taken{0};

 private:
  void Run(const PeerScript& script);

  LoopbackPeer peer_;
  std::thread thread_;
  std::atomic<bool> finished_{false};
};
