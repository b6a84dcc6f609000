// POSIX sockets behaving as Windows Sockets 1.1 does for a blocking client: errno and resolver
// codes become the Windows Sockets numbers, readiness is asked with poll() (no FD_SETSIZE limit
// on descriptor numbers), and a send to a closed connection fails instead of raising SIGPIPE.
#include "platform/BlockingSockets.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/ErrorNumbers.h"

namespace {

int Descriptor(SocketHandle socket) {
  return static_cast<int>(socket);
}

sockaddr_in ToAddress(const InetEndpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = endpoint.port;
  std::memcpy(&address.sin_addr, endpoint.address.data(), 4);
  return address;
}

InetEndpoint FromAddress(const sockaddr_in& address) {
  InetEndpoint endpoint;
  endpoint.port = address.sin_port;
  std::memcpy(endpoint.address.data(), &address.sin_addr, 4);
  return endpoint;
}

class PosixSockets final : public BlockingSockets {
 public:
  SocketsStart Start(uint16_t version, SocketsVersion& reported) override {
    // As WSAStartup: a request below version 1 is not supported.
    if ((version & 0xFF) == 0) {
      last_error_ = wsa::kVERNOTSUPPORTED;
      return SocketsStart::StartupFailed;
    }
    reported.version = 0x0101;
    reported.high_version = 0x0101;
    reported.description = "POSIX sockets";
    reported.system_status = "Running";
    reported.max_sockets = static_cast<int>(sysconf(_SC_OPEN_MAX));
    reported.max_datagram = 65507;
    return SocketsStart::Started;
  }
  void Stop() override {}

  SocketHandle Socket(int type, int protocol) override {
    int s =
        ::socket(AF_INET, type == sockets::kStream ? SOCK_STREAM | SOCK_CLOEXEC : type, protocol);
    if (s < 0) {
      Fail();
      return kInvalidSocket;
    }
    return static_cast<SocketHandle>(s);
  }

  int Bind(SocketHandle socket, const InetEndpoint& local) override {
    sockaddr_in address = ToAddress(local);
    return Result(
        ::bind(Descriptor(socket), reinterpret_cast<sockaddr*>(&address), sizeof address));
  }

  int Connect(SocketHandle socket, const InetEndpoint& remote) override {
    sockaddr_in address = ToAddress(remote);
    if (::connect(Descriptor(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      return 0;
    }
    if (errno != EINTR) return Fail();
    // Interrupted by a signal: the connect goes on; wait for its outcome as Windows would.
    pollfd entry{Descriptor(socket), POLLOUT, 0};
    while (::poll(&entry, 1, -1) < 0) {
      if (errno != EINTR) return Fail();
    }
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(Descriptor(socket), SOL_SOCKET, SO_ERROR, &error, &length);
    if (error == 0) return 0;
    errno = error;
    return Fail();
  }

  int LocalName(SocketHandle socket, InetEndpoint& local) override {
    return Name(&::getsockname, socket, local);
  }
  int PeerName(SocketHandle socket, InetEndpoint& remote) override {
    return Name(&::getpeername, socket, remote);
  }

  int Receive(SocketHandle socket, char* buffer, int length) override {
    ssize_t n;
    do {
      n = ::recv(Descriptor(socket), buffer, static_cast<size_t>(length < 0 ? 0 : length), 0);
    } while (n < 0 && errno == EINTR);
    return n < 0 ? Fail() : static_cast<int>(n);
  }

  int Send(SocketHandle socket, const char* data, int length) override {
    ssize_t n;
    do {
      n = ::send(Descriptor(socket), data, static_cast<size_t>(length < 0 ? 0 : length),
                 MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n < 0 ? Fail() : static_cast<int>(n);
  }

  int SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) override {
    int wait_ms = -1;
    if (timeout) {
      if (timeout->seconds < 0 || timeout->microseconds < 0) {
        last_error_ = wsa::kEINVAL;
        return -1;
      }
      // Rounded up, so that a wait never ends before the time asked for.
      wait_ms = timeout->seconds * 1000 + (timeout->microseconds + 999) / 1000;
    }
    std::vector<pollfd> entries;
    for (SocketHandle s : sockets) entries.push_back(pollfd{Descriptor(s), POLLIN, 0});
    int n;
    do {
      n = ::poll(entries.data(), entries.size(), wait_ms);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return Fail();
    for (const pollfd& entry : entries) {
      if (entry.revents & POLLNVAL) {
        last_error_ = wsa::kENOTSOCK;
        return -1;
      }
    }
    return n;
  }

  int SetOption(SocketHandle socket, int level, int option, int32_t value) override {
    // The Windows Sockets numbers of IPPROTO_TCP and TCP_NODELAY are the POSIX ones.
    return Result(::setsockopt(Descriptor(socket), level, option, &value, sizeof value));
  }

  int Shutdown(SocketHandle socket, int how) override {
    return Result(::shutdown(Descriptor(socket), how == sockets::kShutdownSend ? SHUT_WR : how));
  }

  int CloseSocket(SocketHandle socket) override { return Result(::close(Descriptor(socket))); }

  bool HostByName(const std::string& name, std::array<uint8_t, 4>& address) override {
    // An empty name is the local host, as gethostbyname("") gives on Windows.
    std::string host = name;
    if (host.empty()) {
      char local[256] = {};
      ::gethostname(local, sizeof local - 1);
      host = local;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int code = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (code != 0) {
      last_error_ = WinsockErrorFromAddrInfo(code);
      return false;
    }
    address = FromAddress(*reinterpret_cast<const sockaddr_in*>(found->ai_addr)).address;
    ::freeaddrinfo(found);
    return true;
  }

  uint16_t HostToNetwork(uint16_t value) override { return htons(value); }
  uint16_t NetworkToHost(uint16_t value) override { return ntohs(value); }
  int LastError() override { return last_error_; }

 private:
  int Fail() {
    last_error_ = WinsockErrorFromErrno(errno);
    return kSocketError;
  }
  int Result(int result) { return result < 0 ? Fail() : result; }

  template <typename Call>
  int Name(Call call, SocketHandle socket, InetEndpoint& endpoint) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (call(Descriptor(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return Fail();
    }
    endpoint = FromAddress(address);
    return 0;
  }

  int last_error_ = 0;
};

}  // namespace

std::unique_ptr<BlockingSockets> NewSystemSockets() {
  return std::make_unique<PosixSockets>();
}
