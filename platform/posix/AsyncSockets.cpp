// Windows' notification rules over poll(): each selected socket has a watch that asks the loop
// only for what may be reported next (the connect's outcome, bytes after a receive re-enabled
// kRead, room after a send that would block, the peer's close), so a level-triggered poll gives
// each notification once, as WSAAsyncSelect does. A watch reports at most one notification per
// round, and reports it last, because the receiver may close the socket and remove the watch.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <set>
#include <system_error>
#include <thread>

#include "platform/AsyncSockets.h"
#include "platform/posix/ErrorNumbers.h"
#include "platform/posix/LoopCore.h"
#include "platform/posix/NameLookup.h"

namespace {

int Fd(SocketHandle socket) {
  return static_cast<int>(socket);
}

int LastSocketError() {
  return WinsockErrorFromErrno(errno);
}

int PendingSocketError(int fd) {
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
  return error == 0 ? 0 : WinsockErrorFromErrno(error);
}

int Waiting(int fd) {
  int count = 0;
  return ::ioctl(fd, FIONREAD, &count) == 0 ? count : 0;
}

void SetNonBlocking(int fd, bool on) {
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0) return;
  ::fcntl(fd, F_SETFL, on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK));
}

// Results of look-ups still wanted; posted results of others are dropped.
struct LookupInbox {
  AsyncSocketEvents* events;
  std::set<LookupRequest> outstanding;
};

class SocketWatch final : public posix_loop::Watcher {
 public:
  enum class Phase { Idle, Connecting, Connected, Closed };

  SocketWatch(int fd, AsyncSocketEvents& events, TObject* sender)
      : fd_(fd), events_(events), sender_(sender), id_(posix_loop::AddWatcher(*this)) {}
  ~SocketWatch() override { posix_loop::RemoveWatcher(id_); }
  SocketWatch(const SocketWatch&) = delete;
  SocketWatch& operator=(const SocketWatch&) = delete;

  uint8_t mask = 0;
  Phase phase = Phase::Idle;
  bool read_enabled = true;
  bool write_enabled = false;

  int Descriptor() const override { return fd_; }
  TObject* Sender() const override { return sender_; }

  short Interest() const override {
    switch (phase) {
      case Phase::Connecting:
        return (mask & socket_event::kConnect) ? POLLOUT : 0;
      case Phase::Connected: {
        short interest = 0;
        if (read_enabled && (mask & socket_event::kRead)) interest |= POLLIN;
        if (mask & socket_event::kClose) interest |= POLLRDHUP;
        if (write_enabled && (mask & socket_event::kWrite)) interest |= POLLOUT;
        return interest;
      }
      default:
        return 0;
    }
  }

  void Ready(short revents) override {
    int event = 0;
    int error = 0;
    if (!Next(revents, event, error)) return;
    // Last: the receiver may close the socket, which destroys this watch.
    events_.SocketNotified(static_cast<SocketHandle>(fd_), event, error);
  }

 private:
  // Picks the one notification of this round and moves the phase on before it is reported.
  bool Next(short revents, int& event, int& error) {
    switch (phase) {
      case Phase::Connecting:
        error = PendingSocketError(fd_);
        phase = error == 0 ? Phase::Connected : Phase::Closed;
        write_enabled = error == 0;
        event = socket_event::kConnect;
        return true;
      case Phase::Connected:
        return NextWhileConnected(revents, event, error);
      default:
        return false;
    }
  }

  bool NextWhileConnected(short revents, int& event, int& error) {
    if (revents & POLLERR) {
      error = PendingSocketError(fd_);
      if (error != 0) {
        phase = Phase::Closed;
        event = socket_event::kClose;
        return true;
      }
    }
    // Room to send first: it is reported once per send that would block, so it cannot keep
    // bytes that go on arriving from being reported.
    if (write_enabled && (revents & POLLOUT)) {
      write_enabled = false;
      event = socket_event::kWrite;
      return true;
    }
    bool ended = (revents & (POLLRDHUP | POLLHUP)) != 0;
    if (read_enabled && (revents & POLLIN)) {
      if (Waiting(fd_) > 0) {
        read_enabled = false;
        event = socket_event::kRead;
        return true;
      }
      ended = true;  // readable with nothing to read: the end of the stream
    }
    if (ended && (mask & socket_event::kClose)) {
      phase = Phase::Closed;
      event = socket_event::kClose;
      return true;
    }
    return false;
  }

  int fd_;
  AsyncSocketEvents& events_;
  TObject* sender_;
  uint64_t id_;
};

class PosixAsyncSocketApi final : public AsyncSocketApi {
 public:
  PosixAsyncSocketApi(AsyncSocketEvents& events, TObject* sender)
      : events_(events),
        sender_(sender),
        inbox_(std::make_shared<LookupInbox>(LookupInbox{&events, {}})) {}

  int Startup() override { return 0; }
  int Cleanup() override { return 0; }

  SocketHandle OpenStream() override {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return fd < 0 ? kInvalidSocket : static_cast<SocketHandle>(fd);
  }

  int Close(SocketHandle socket) override {
    watches_.erase(Fd(socket));
    return ::close(Fd(socket)) == 0 ? 0 : LastSocketError();
  }

  void Select(SocketHandle socket, uint8_t mask) override {
    int fd = Fd(socket);
    if (mask == 0) {
      watches_.erase(fd);
      SetNonBlocking(fd, false);
      return;
    }
    SetNonBlocking(fd, true);
    auto& watch = watches_[fd];
    if (!watch) watch = std::make_unique<SocketWatch>(fd, events_, sender_);
    watch->mask = mask;
  }

  int Connect(SocketHandle socket, SocketAddress to) override {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = to.port;
    address.sin_addr.s_addr = to.address;
    int result = ::connect(Fd(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    int error = result == 0 ? 0 : LastSocketError();
    SocketWatch* watch = Find(socket);
    if (!watch || !(watch->mask & socket_event::kConnect)) return error;
    if (error != 0 && error != wsa::kEWOULDBLOCK) return error;
    // As Windows: a selected socket reports the outcome by notification, also of a connect that
    // the system finished at once.
    watch->phase = SocketWatch::Phase::Connecting;
    return wsa::kEWOULDBLOCK;
  }

  int Send(SocketHandle socket, const char* bytes, int count, int& error) override {
    auto sent = ::send(Fd(socket), bytes, static_cast<size_t>(count), MSG_NOSIGNAL);
    if (sent >= 0) return static_cast<int>(sent);
    error = LastSocketError();
    if (error == wsa::kEWOULDBLOCK) {
      if (SocketWatch* watch = Find(socket)) watch->write_enabled = true;
    }
    return kSocketError;
  }

  int Receive(SocketHandle socket, char* bytes, int count, int& error) override {
    if (SocketWatch* watch = Find(socket)) watch->read_enabled = true;
    auto received = ::recv(Fd(socket), bytes, static_cast<size_t>(count), 0);
    if (received >= 0) return static_cast<int>(received);
    error = LastSocketError();
    return kSocketError;
  }

  int BytesWaiting(SocketHandle socket) override { return Waiting(Fd(socket)); }

  LookupRequest LookupHost(const std::string& host, int& error) override {
    return StartLookup(error, [host](int& code) {
      SocketAddress result;
      code = posix_lookup::ResolveHost(host, result.address);
      return result;
    });
  }

  LookupRequest LookupService(const std::string& service, int& error) override {
    return StartLookup(error, [service](int& code) {
      SocketAddress result;
      code = posix_lookup::ResolveService(service, result.port);
      return result;
    });
  }

  int CancelLookup(LookupRequest request) override {
    inbox_->outstanding.erase(request);
    return 0;
  }

  uint32_t ParseAddress(const std::string& text) override { return ::inet_addr(text.c_str()); }

  uint32_t ResolveHost(const std::string& host) override {
    uint32_t address = 0;
    return posix_lookup::ResolveHost(host, address) == 0 ? address : 0;
  }

  uint16_t ResolveService(const std::string& service) override {
    uint16_t port = 0;
    return posix_lookup::ResolveService(service, port) == 0 ? port : 0;
  }

 private:
  SocketWatch* Find(SocketHandle socket) {
    auto found = watches_.find(Fd(socket));
    return found == watches_.end() ? nullptr : found->second.get();
  }

  // The worker only resolves and posts; the GUI thread decides whether the result is wanted.
  template <typename Resolve>
  LookupRequest StartLookup(int& error, Resolve resolve) {
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
      error = wsa::kENOBUFS;
      return 0;
    }
    return request;
  }

  AsyncSocketEvents& events_;
  TObject* sender_;
  std::map<int, std::unique_ptr<SocketWatch>> watches_;
  std::shared_ptr<LookupInbox> inbox_;
  LookupRequest next_request_ = 1;
};

}  // namespace

std::unique_ptr<AsyncSocketApi> CreateAsyncSocketApi(AsyncSocketEvents& events, TObject* sender) {
  return std::make_unique<PosixAsyncSocketApi>(events, sender);
}
