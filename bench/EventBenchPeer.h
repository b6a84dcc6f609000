// The far end of the event-driven transport's benchmarks: a loopback peer on its own thread that
// accepts one connection and then either sends a known stream as fast as it can, or reads
// everything until the connection ends. Also the receiving side's check of that stream.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace bench_peer {

// The stream a sending peer sends: this block over and over.
inline const std::string& Pattern() {
  static const std::string pattern = [] {
    std::string block(1 << 20, '\0');
    std::mt19937 random(20240401);
    for (char& c : block) c = static_cast<char>(random());
    return block;
  }();
  return pattern;
}

// Checks received bytes against the stream, in order, and sums them.
class StreamCheck {
 public:
  void Add(const char* bytes, size_t count) {
    const std::string& pattern = Pattern();
    for (size_t done = 0; done < count;) {
      size_t offset = static_cast<size_t>(received_ % pattern.size());
      size_t piece = std::min(count - done, pattern.size() - offset);
      if (std::memcmp(bytes + done, pattern.data() + offset, piece) != 0) ++mismatches_;
      for (size_t i = 0; i < piece; ++i) sum_ += static_cast<unsigned char>(bytes[done + i]);
      done += piece;
      received_ += piece;
    }
  }
  uint64_t Received() const { return received_; }
  uint64_t Sum() const { return sum_; }
  uint64_t Mismatches() const { return mismatches_; }

 private:
  uint64_t received_ = 0;
  uint64_t sum_ = 0;
  uint64_t mismatches_ = 0;
};

// The sum of the first total bytes of the stream, as the peer sent them.
inline uint64_t SentSum(uint64_t total) {
  StreamCheck check;
  const std::string& pattern = Pattern();
  for (uint64_t left = total; left > 0;) {
    size_t piece = static_cast<size_t>(std::min<uint64_t>(left, pattern.size()));
    check.Add(pattern.data(), piece);
    left -= piece;
  }
  return check.Sum();
}

class Peer {
 public:
  Peer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 1);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~Peer() {
    if (thread_.joinable()) thread_.join();
    ::close(listener_);
  }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  uint16_t Port() const { return port_; }

  // Accepts, sends total bytes of the stream, closes.
  void StartSending(uint64_t total) {
    thread_ = std::thread([this, total] {
      int s = ::accept(listener_, nullptr, nullptr);
      const std::string& pattern = Pattern();
      for (uint64_t left = total; left > 0;) {
        size_t piece = static_cast<size_t>(std::min<uint64_t>(left, pattern.size()));
        ssize_t sent = ::send(s, pattern.data(), piece, MSG_NOSIGNAL);
        if (sent <= 0) break;
        left -= static_cast<uint64_t>(sent);
      }
      ::close(s);
    });
  }

  // Accepts, sends text, closes.
  void StartSendingText(const std::string& text) {
    thread_ = std::thread([this, &text] {
      int s = ::accept(listener_, nullptr, nullptr);
      for (size_t sent_total = 0; sent_total < text.size();) {
        ssize_t sent = ::send(s, text.data() + sent_total, text.size() - sent_total, MSG_NOSIGNAL);
        if (sent <= 0) break;
        sent_total += static_cast<size_t>(sent);
      }
      ::close(s);
    });
  }

  // Accepts and reads until the connection ends; Received() counts as it goes.
  void StartReading() {
    thread_ = std::thread([this] {
      int s = ::accept(listener_, nullptr, nullptr);
      std::vector<char> block(1 << 20);
      for (;;) {
        ssize_t got = ::recv(s, block.data(), block.size(), 0);
        if (got <= 0) break;
        received_.fetch_add(static_cast<uint64_t>(got), std::memory_order_relaxed);
      }
      ::close(s);
    });
  }
  uint64_t Received() const { return received_.load(std::memory_order_relaxed); }
  void Join() { thread_.join(); }

 private:
  int listener_;
  uint16_t port_ = 0;
  std::thread thread_;
  std::atomic<uint64_t> received_{0};
};

}  // namespace bench_peer
