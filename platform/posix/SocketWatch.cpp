// How a watch picks the one notification of a poll round (the rules are in the header).
#include "platform/posix/SocketWatch.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <cerrno>

#include "platform/posix/ErrorNumbers.h"

namespace {

int PendingSocketError(int fd) {
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
  return error == 0 ? 0 : WinsockErrorFromErrno(error);
}

}  // namespace

int WaitingBytes(int fd) {
  int count = 0;
  return ::ioctl(fd, FIONREAD, &count) == 0 ? count : 0;
}

SocketWatch::SocketWatch(int fd, SocketEvents& events, TObject* sender)
    : fd_(fd), events_(events), sender_(sender), id_(posix_loop::AddWatcher(*this)) {}

SocketWatch::~SocketWatch() {
  posix_loop::RemoveWatcher(id_);
}

short SocketWatch::Interest() const {
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

void SocketWatch::Ready(short revents) {
  int event = 0;
  int error = 0;
  if (!Next(revents, event, error)) return;
  events_.SocketNotified(static_cast<SocketHandle>(fd_), event, error);
}

// Picks the one notification of this round and moves the phase on before it is reported.
bool SocketWatch::Next(short revents, int& event, int& error) {
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

bool SocketWatch::NextWhileConnected(short revents, int& event, int& error) {
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
    if (WaitingBytes(fd_) > 0) {
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
