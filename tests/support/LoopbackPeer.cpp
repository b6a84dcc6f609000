// The test's side of a loopback connection, over the system's sockets directly.
#include "support/LoopbackPeer.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using socklen_t = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <chrono>
#include <stdexcept>

namespace {

#ifdef _WIN32
constexpr std::uintptr_t kNone = INVALID_SOCKET;
void CloseSocket(std::uintptr_t s) {
  closesocket(static_cast<SOCKET>(s));
}
// The peer starts its own use of Winsock once per process; the program's start-up of the
// socket stack is under test and keeps its own count.
struct WinsockUser {
  WinsockUser() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockUser() { WSACleanup(); }
};
void StartSockets() {
  static WinsockUser user;
}
#else
constexpr std::uintptr_t kNone = ~std::uintptr_t{0};
void CloseSocket(std::uintptr_t s) {
  ::close(static_cast<int>(s));
}
void StartSockets() {}
#endif

auto Native(std::uintptr_t s) {
#ifdef _WIN32
  return static_cast<SOCKET>(s);
#else
  return static_cast<int>(s);
#endif
}

sockaddr_in Loopback(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A socket bound to a loopback port that the system picks; the port goes into port.
std::uintptr_t BindAnyPort(uint16_t& port) {
  StartSockets();
  auto s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return static_cast<std::uintptr_t>(s);
}

}  // namespace

LoopbackPeer::LoopbackPeer() : listener_(kNone), connection_(kNone) {
  StartSockets();
  auto s = ::socket(AF_INET, SOCK_STREAM, 0);
  listener_ = static_cast<std::uintptr_t>(s);
  sockaddr_in address = Loopback(0);
  if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(s, 16) != 0) {
    throw std::runtime_error("loopback peer cannot listen");
  }
  socklen_t length = sizeof address;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
}

LoopbackPeer::~LoopbackPeer() {
  Close();
  StopListening();
}

bool LoopbackPeer::WaitReadable(std::uintptr_t socket, int timeout_ms) {
#ifdef _WIN32
  fd_set set;
  FD_ZERO(&set);
  FD_SET(Native(socket), &set);
  timeval wait{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
  return ::select(0, &set, nullptr, nullptr, &wait) == 1;
#else
  pollfd entry{Native(socket), POLLIN, 0};
  return ::poll(&entry, 1, timeout_ms) == 1;
#endif
}

bool LoopbackPeer::Accept(int timeout_ms) {
  Close();
  if (listener_ == kNone || !WaitReadable(listener_, timeout_ms)) return false;
  auto s = ::accept(Native(listener_), nullptr, nullptr);
  connection_ = static_cast<std::uintptr_t>(s);
  return connection_ != kNone;
}

bool LoopbackPeer::Connected() const {
  return connection_ != kNone;
}

void LoopbackPeer::Send(std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    auto n =
        ::send(Native(connection_), bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
    if (n <= 0) throw std::runtime_error("loopback peer cannot send");
    done += static_cast<size_t>(n);
  }
}

std::string LoopbackPeer::Receive(size_t count, int timeout_ms) {
  std::string received;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  char block[65536];
  while (received.size() < count) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0 || !WaitReadable(connection_, static_cast<int>(left))) break;
    size_t want = std::min(sizeof block, count - received.size());
    auto n = ::recv(Native(connection_), block, static_cast<int>(want), 0);
    if (n <= 0) break;
    received.append(block, static_cast<size_t>(n));
  }
  return received;
}

std::string LoopbackPeer::ReceiveAvailable(int quiet_ms) {
  std::string received;
  char block[65536];
  while (WaitReadable(connection_, quiet_ms)) {
    auto n = ::recv(Native(connection_), block, sizeof block, 0);
    if (n <= 0) break;
    received.append(block, static_cast<size_t>(n));
  }
  return received;
}

bool LoopbackPeer::WaitForClose(int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  char block[4096];
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0 || !WaitReadable(connection_, static_cast<int>(left))) return false;
    auto n = ::recv(Native(connection_), block, sizeof block, 0);
    if (n <= 0) return true;
  }
}

void LoopbackPeer::ShutdownSend() {
#ifdef _WIN32
  ::shutdown(Native(connection_), SD_SEND);
#else
  ::shutdown(Native(connection_), SHUT_WR);
#endif
}

void LoopbackPeer::Close() {
  if (connection_ == kNone) return;
  CloseSocket(connection_);
  connection_ = kNone;
}

void LoopbackPeer::Reset() {
  if (connection_ == kNone) return;
  linger option{1, 0};
  ::setsockopt(Native(connection_), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&option),
               sizeof option);
  Close();
}

void LoopbackPeer::StopListening() {
  if (listener_ == kNone) return;
  CloseSocket(listener_);
  listener_ = kNone;
}

uint16_t LoopbackPeer::FreePort() {
  uint16_t port = 0;
  CloseSocket(BindAnyPort(port));
  return port;
}

uint16_t LoopbackPeer::RefusedPort() {
  // Bound but never listening, and kept for the life of the process: a connect there is
  // refused, and the system never gives the port to a client as its own (a client given the
  // port it connects to would connect to itself).
  static const uint16_t port = [] {
    uint16_t bound = 0;
    BindAnyPort(bound);
    return bound;
  }();
  return port;
}
