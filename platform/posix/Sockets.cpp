// POSIX sockets behaving as Windows Sockets 1.1 does: errno and resolver codes become the Windows
// Sockets numbers, readiness is asked with poll() (no FD_SETSIZE limit on descriptor numbers), a
// send to a closed connection fails instead of raising SIGPIPE, and selected sockets are watched
// by the event loop (platform/posix/SocketWatch.h). Look-ups run on a worker thread, which only
// resolves and posts; the GUI thread decides whether the result is still wanted.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <set>
#include <system_error>
#include <thread>

#include "platform/NativeAddress.h"
#include "platform/Sockets.h"
#include "platform/posix/ErrorNumbers.h"
#include "platform/posix/NameLookup.h"
#include "platform/posix/SocketWatch.h"

namespace {

int Descriptor(SocketHandle socket) {
  return static_cast<int>(socket);
}

void SetNonBlocking(int fd, bool on) {
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0) return;
  ::fcntl(fd, F_SETFL, on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK));
}

// Results of look-ups still wanted; posted results of others are dropped.
struct LookupInbox {
  SocketEvents* events;
  std::set<LookupRequest> outstanding;
};

class PosixSockets final : public Sockets {
 public:
  PosixSockets(SocketEvents* events, TObject* sender)
      : events_(events),
        sender_(sender),
        inbox_(std::make_shared<LookupInbox>(LookupInbox{events, {}})) {}

  SocketsStart Start(const std::string&, uint16_t version, SocketsVersion& reported) override {
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

  int Stop() override {
    watches_.clear();
    inbox_->outstanding.clear();
    return 0;
  }

  int LastError() override { return last_error_; }

  SocketHandle Socket(int type, int protocol) override {
    int s =
        ::socket(AF_INET, type == sockets::kStream ? SOCK_STREAM | SOCK_CLOEXEC : type, protocol);
    if (s < 0) {
      Fail();
      return kInvalidSocket;
    }
    return static_cast<SocketHandle>(s);
  }

  int Bind(SocketHandle socket, const SocketAddress& local) override {
    sockaddr_in address = ToNativeAddress<sockaddr_in>(local, AF_INET);
    return Result(
        ::bind(Descriptor(socket), reinterpret_cast<sockaddr*>(&address), sizeof address));
  }

  int Connect(SocketHandle socket, const SocketAddress& remote) override {
    sockaddr_in address = ToNativeAddress<sockaddr_in>(remote, AF_INET);
    const int fd = Descriptor(socket);
    const int result = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const int error = result == 0 ? 0 : errno;
    if (SocketWatch* watch = Find(socket); watch && (watch->mask & socket_event::kConnect)) {
      if (error != 0 && WinsockErrorFromErrno(error) != wsa::kEWOULDBLOCK) return Fail(error);
      // As Windows: a selected socket reports the outcome by notification, also of a connect
      // that the system finished at once.
      watch->phase = SocketWatch::Phase::Connecting;
      return Fail(EWOULDBLOCK);
    }
    if (error == 0) return 0;
    if (error != EINTR) return Fail(error);
    // Interrupted by a signal: the connect goes on; wait for its outcome as Windows would.
    pollfd entry{fd, POLLOUT, 0};
    while (::poll(&entry, 1, -1) < 0) {
      if (errno != EINTR) return Fail();
    }
    int pending = 0;
    socklen_t length = sizeof pending;
    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &pending, &length);
    return pending == 0 ? 0 : Fail(pending);
  }

  int LocalName(SocketHandle socket, SocketAddress& local) override {
    return Name(&::getsockname, socket, local);
  }
  int PeerName(SocketHandle socket, SocketAddress& remote) override {
    return Name(&::getpeername, socket, remote);
  }

  int Receive(SocketHandle socket, char* buffer, int length) override {
    if (SocketWatch* watch = Find(socket)) watch->read_enabled = true;
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
    if (n >= 0) return static_cast<int>(n);
    Fail();
    if (last_error_ == wsa::kEWOULDBLOCK) {
      if (SocketWatch* watch = Find(socket)) watch->write_enabled = true;
    }
    return kSocketError;
  }

  int BytesWaiting(SocketHandle socket) override { return WaitingBytes(Descriptor(socket)); }

  int SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) override {
    int wait_ms = -1;
    if (timeout) {
      if (timeout->seconds < 0 || timeout->microseconds < 0) {
        last_error_ = wsa::kEINVAL;
        return kSocketError;
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
        return kSocketError;
      }
    }
    return n;
  }

  int64_t Microseconds() override {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1000;
  }

  int SetOption(SocketHandle socket, int level, int option, int32_t value) override {
    // The Windows Sockets numbers of IPPROTO_TCP and TCP_NODELAY are the POSIX ones.
    return Result(::setsockopt(Descriptor(socket), level, option, &value, sizeof value));
  }

  int Shutdown(SocketHandle socket, int how) override {
    return Result(::shutdown(Descriptor(socket), how == sockets::kShutdownSend ? SHUT_WR : how));
  }

  int CloseSocket(SocketHandle socket) override {
    watches_.erase(Descriptor(socket));
    return Result(::close(Descriptor(socket)));
  }

  bool HostByName(const std::string& name, Ipv4Address& address) override {
    const int error = posix_lookup::ResolveHost(name, address);
    if (error != 0) last_error_ = error;
    return error == 0;
  }

  bool ServiceByName(const std::string& service, uint16_t& port) override {
    const int error = posix_lookup::ResolveService(service, port);
    if (error != 0) last_error_ = error;
    return error == 0;
  }

  Ipv4Address ParseAddress(const std::string& text) override {
    const in_addr_t parsed = ::inet_addr(text.c_str());
    Ipv4Address address;
    std::memcpy(address.data(), &parsed, address.size());
    return address;
  }

  int SelectEvents(SocketHandle socket, uint8_t mask) override {
    const int fd = Descriptor(socket);
    if (mask == 0) {
      watches_.erase(fd);
      SetNonBlocking(fd, false);
      return 0;
    }
    if (!events_) {
      last_error_ = wsa::kEINVAL;
      return kSocketError;
    }
    SetNonBlocking(fd, true);
    auto& watch = watches_[fd];
    if (!watch) watch = std::make_unique<SocketWatch>(fd, *events_, sender_);
    watch->mask = mask;
    return 0;
  }

  LookupRequest LookupHost(const std::string& host) override {
    return StartLookup([host](int& code) {
      SocketAddress result;
      code = posix_lookup::ResolveHost(host, result.address);
      return result;
    });
  }

  LookupRequest LookupService(const std::string& service) override {
    return StartLookup([service](int& code) {
      SocketAddress result;
      code = posix_lookup::ResolveService(service, result.port);
      return result;
    });
  }

  int CancelLookup(LookupRequest request) override {
    inbox_->outstanding.erase(request);
    return 0;
  }

 private:
  // A failed call: the Windows Sockets number of error (errno by default).
  int Fail(int error = errno) {
    last_error_ = WinsockErrorFromErrno(error);
    return kSocketError;
  }
  int Result(int result) { return result < 0 ? Fail() : result; }

  template <typename Call>
  int Name(Call call, SocketHandle socket, SocketAddress& address) {
    sockaddr_in native{};
    socklen_t length = sizeof native;
    if (call(Descriptor(socket), reinterpret_cast<sockaddr*>(&native), &length) != 0) {
      return Fail();
    }
    address = FromNativeAddress(native);
    return 0;
  }

  SocketWatch* Find(SocketHandle socket) {
    auto found = watches_.find(Descriptor(socket));
    return found == watches_.end() ? nullptr : found->second.get();
  }

  template <typename Resolve>
  LookupRequest StartLookup(Resolve resolve) {
    if (!events_) {
      last_error_ = wsa::kEINVAL;
      return 0;
    }
    LookupRequest request = next_request_++;
    inbox_->outstanding.insert(request);
    std::weak_ptr<LookupInbox> inbox = inbox_;
    TObject* sender = sender_;
    try {
      std::thread([resolve, request, inbox, sender] {
        int code = 0;
        SocketAddress result = resolve(code);
        posix_loop::Post(sender, [inbox, request, code, result] {
          std::shared_ptr<LookupInbox> wanted = inbox.lock();
          if (!wanted || wanted->outstanding.erase(request) == 0) return;
          wanted->events->LookupDone(request, code, result);
        });
      }).detach();
    } catch (const std::system_error&) {
      inbox_->outstanding.erase(request);
      last_error_ = wsa::kENOBUFS;
      return 0;
    }
    return request;
  }

  SocketEvents* events_;
  TObject* sender_;
  int last_error_ = 0;
  std::map<int, std::unique_ptr<SocketWatch>> watches_;
  std::shared_ptr<LookupInbox> inbox_;
  LookupRequest next_request_ = 1;
};

}  // namespace

std::unique_ptr<Sockets> NewSystemSockets(SocketEvents* events, TObject* sender) {
  return std::make_unique<PosixSockets>(events, sender);
}
