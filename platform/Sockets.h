// IPv4 TCP sockets with the behaviour and error numbers of Windows Sockets 1.1: the one socket
// layer under both transports, the blocking calls of the line transport and the notifications of
// the event-driven one. Windows: "wsock32.dll" loaded at run time, notifications at a hidden
// "ZirkUtilWindow" window of the object. POSIX: the sockets watched by the event loop of
// platform/EventLoop.h, host and service look-ups on a worker thread whose result the loop hands
// back. Calls return results and codes and never throw; only the transports raise.
//
// Notification rules, the same on both: kConnect once, with the connect's outcome; after a
// successful connect kWrite, then kWrite again only after a send failed with kEWOULDBLOCK and the
// socket can take more; kRead when bytes are waiting, then again only after a Receive; kClose
// once when the peer ends the connection (with an error code when it was reset).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/SocketTypes.h"

class TObject;

// The Windows Sockets values of the arguments the transports pass.
namespace sockets {
inline constexpr int kStream = 1;          // SOCK_STREAM
inline constexpr int kProtocolTcp = 6;     // IPPROTO_TCP, as a protocol and as an option level
inline constexpr int kTcpNoDelay = 1;      // TCP_NODELAY
inline constexpr int kShutdownSend = 1;    // SD_SEND
inline constexpr size_t kMaxSetSize = 64;  // sockets in one select set
}  // namespace sockets

// Notification event bits, numbered as Windows Sockets numbers them.
namespace socket_event {
enum : int { kRead = 0x01, kWrite = 0x02, kAccept = 0x08, kConnect = 0x10, kClose = 0x20 };
}  // namespace socket_event

// A select time-out as Windows Sockets takes it.
struct WaitTime {
  int32_t seconds = 0;
  int32_t microseconds = 0;
};

// What the sockets layer reported when it started.
struct SocketsVersion {
  uint16_t version = 0;
  uint16_t high_version = 0;
  std::string description;
  std::string system_status;
  int max_sockets = 0;
  int max_datagram = 0;
};

enum class SocketsStart { Started, LibraryMissing, StartupFailed };

// A pending look-up; 0 is none.
using LookupRequest = std::uintptr_t;

// The receiver of the notifications (the event-driven transport's socket object). Called on the
// GUI thread by the event loop, one notification at a time unless a handler runs a nested loop.
// An exception that escapes is caught there and passed to the application's error route with
// the sender the sockets were made with.
class SocketEvents {
 public:
  virtual ~SocketEvents() = default;
  // One event bit for socket, with an error code or 0. A notification already under way when
  // the socket was given up may still arrive and name a socket that is no longer in use.
  virtual void SocketNotified(SocketHandle socket, int event, int error) = 0;
  // A look-up ended: error 0 and the result (a host look-up fills the address, a service look-up
  // the port), or an error code. A cancelled request may still end here.
  virtual void LookupDone(LookupRequest request, int error, SocketAddress result) = 0;
};

// One object per user (the line transport's stack, each event-driven socket object), used on the
// GUI thread. After a call that failed (-1, kInvalidSocket, a request 0 or false), LastError()
// gives the Windows Sockets code of that failure.
class Sockets {
 public:
  virtual ~Sockets() = default;

  // Loads library (Windows; elsewhere there is nothing to load) and starts the sockets, asking
  // for version (0x0101 is 1.1). Every object makes its own start, and the platform counts them.
  // A function that the library lacks is not reported; calling it fails with WSASYSNOTREADY.
  // After a failed start LastError() gives its code (WSASYSNOTREADY for a missing library).
  virtual SocketsStart Start(const std::string& library, uint16_t version,
                             SocketsVersion& reported) = 0;
  // Ends what Start began: 0, or the code of the failed clean-up. Safe when Start failed.
  virtual int Stop() = 0;
  virtual int LastError() = 0;

  // A new IPv4 socket (blocking), or kInvalidSocket.
  virtual SocketHandle Socket(int type, int protocol) = 0;
  // These give 0, or -1.
  virtual int Bind(SocketHandle socket, const SocketAddress& local) = 0;
  // A blocking socket waits for the outcome; a socket selected for kConnect answers -1 with
  // kEWOULDBLOCK and reports the outcome by notification.
  virtual int Connect(SocketHandle socket, const SocketAddress& remote) = 0;
  virtual int LocalName(SocketHandle socket, SocketAddress& local) = 0;
  virtual int PeerName(SocketHandle socket, SocketAddress& remote) = 0;
  // > 0 bytes received, 0 when the peer has closed, -1 on error (kEWOULDBLOCK: nothing waiting
  // on a selected socket).
  virtual int Receive(SocketHandle socket, char* buffer, int length) = 0;
  // Bytes taken, or -1.
  virtual int Send(SocketHandle socket, const char* data, int length) = 0;
  // The number of bytes waiting to be read; 0 when that cannot be found out.
  virtual int BytesWaiting(SocketHandle socket) = 0;
  // How many sockets of the set are readable (a closed or failed connection counts); 0 when
  // the time passed; -1 on error. Without a time it waits without limit. At most kMaxSetSize.
  virtual int SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) = 0;
  // A steady clock in microseconds from an arbitrary start: what bounds a series of waits.
  virtual int64_t Microseconds() = 0;
  virtual int SetOption(SocketHandle socket, int level, int option, int32_t value) = 0;
  virtual int Shutdown(SocketHandle socket, int how) = 0;
  // 0, or -1; a closed socket is reported no more.
  virtual int CloseSocket(SocketHandle socket) = 0;

  // Blocking look-ups: the first IPv4 address of a host name, the port (network byte order) of a
  // TCP service; false when not found.
  virtual bool HostByName(const std::string& name, Ipv4Address& address) = 0;
  virtual bool ServiceByName(const std::string& service, uint16_t& port) = 0;
  // A dotted address as inet_addr reads it: 255.255.255.255 when the text is none.
  virtual Ipv4Address ParseAddress(const std::string& text) = 0;

  // Reports the events of mask for socket to the receiver and makes the socket non-blocking;
  // mask 0 stops the reports and makes it blocking again. 0, or -1 when the notifications
  // cannot be set up.
  virtual int SelectEvents(SocketHandle socket, uint8_t mask) = 0;
  // Starts a look-up of a host name (a dotted address is looked up too) or of a TCP service;
  // the result arrives at the receiver's LookupDone. 0 when it cannot be requested.
  virtual LookupRequest LookupHost(const std::string& host) = 0;
  virtual LookupRequest LookupService(const std::string& service) = 0;
  // Asks the platform not to report the request; its result may still arrive. 0, or -1.
  virtual int CancelLookup(LookupRequest request) = 0;
};

// The system's sockets, not yet started. events receives the notifications (null for a user
// that selects no events and starts no look-up); sender is what the error route is told.
std::unique_ptr<Sockets> NewSystemSockets(SocketEvents* events, TObject* sender);

// How a transport gets its sockets; the system's by default, a fake in tests.
using SocketsFactory =
    std::function<std::unique_ptr<Sockets>(SocketEvents* events, TObject* sender)>;
