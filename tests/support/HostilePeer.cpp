// The peer's thread. A step that fails because the client has gone ends the script; nothing
// is thrown out of the thread.
#include "support/HostilePeer.h"

#include <chrono>
#include <exception>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kStepTimeout = std::chrono::seconds(60);

}  // namespace

HostilePeer::~HostilePeer() {
  if (thread_.joinable()) thread_.join();
}

void HostilePeer::Play(PeerScript script) {
  finished_ = false;
  thread_ = std::thread([this, script = std::move(script)] {
    try {
      if (peer_.Accept()) Run(script);
    } catch (const std::exception&) {
      // The client went away in the middle of a step.
    }
    finished_ = true;
  });
}

void HostilePeer::Run(const PeerScript& script) {
  for (const PeerStep& step : script) {
    switch (step.act) {
      case PeerStep::Act::Send:
        peer_.Send(step.bytes);
        break;
      case PeerStep::Act::Trickle:
        for (char byte : step.bytes) {
          peer_.Send(std::string(1, byte));
          // The pace is what is under test, not a wait for the other side.
          std::this_thread::sleep_for(std::chrono::milliseconds(step.ms_per_byte));
        }
        break;
      case PeerStep::Act::AwaitTaken: {
        const auto deadline = Clock::now() + kStepTimeout;
        while (taken < step.count && Clock::now() < deadline) {
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        break;
      }
      case PeerStep::Act::Receive:
        peer_.Receive(step.count, 60000);
        break;
      case PeerStep::Act::ShutdownSend:
        peer_.ShutdownSend();
        break;
      case PeerStep::Act::Close:
        peer_.Close();
        break;
      case PeerStep::Act::Reset:
        peer_.Reset();
        break;
    }
  }
}

std::string HostilePeer::Sent(const PeerScript& script) {
  std::string sent;
  for (const PeerStep& step : script) sent += step.bytes;
  return sent;
}
