// The sockets of the event-driven transport: the socket calls it makes and the notifications
// the platform reports back on the GUI thread (socket events, results of host and service
// look-ups).
//
// Windows: Windows Sockets 1.1; WSAAsyncSelect and the asynchronous look-ups report to a hidden
// "ZirkUtilWindow" window of the object. POSIX: non-blocking sockets watched by the event loop of
// platform/EventLoop.h under the same rules as Windows (below), and look-ups run on a worker
// thread whose result the loop hands back.
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

#include "platform/SocketTypes.h"

class TObject;

// Notification event bits, numbered as Windows Sockets numbers them.
namespace socket_event {
inline constexpr int kRead = 0x01;
inline constexpr int kWrite = 0x02;
inline constexpr int kAccept = 0x08;
inline constexpr int kConnect = 0x10;
inline constexpr int kClose = 0x20;
}  // namespace socket_event

// A pending look-up; 0 is none.
using LookupRequest = std::uintptr_t;

// An IPv4 address and port, both in network byte order.
struct SocketAddress {
  uint32_t address = 0;
  uint16_t port = 0;
};

// The receiver of the notifications (the socket object). Called on the GUI thread by the event
// loop, one notification at a time unless a handler runs a nested loop. An exception that
// escapes is caught there and passed to the application's error route with the sender given
// to CreateAsyncSocketApi.
class AsyncSocketEvents {
 public:
  virtual ~AsyncSocketEvents() = default;
  // One event bit for socket, with an error code or 0. A notification already under way when
  // the socket was given up may still arrive and name a socket that is no longer in use.
  virtual void SocketNotified(SocketHandle socket, int event, int error) = 0;
  // A look-up ended: error 0 and the result (a host look-up fills address, a service look-up
  // port), or an error code. A cancelled request may still end here.
  virtual void LookupDone(LookupRequest request, int error, SocketAddress result) = 0;
};

// The calls return codes (0 or a Windows Sockets number) and never throw.
class AsyncSocketApi {
 public:
  virtual ~AsyncSocketApi() = default;

  // Windows Sockets start-up (version 1.1) and clean-up, counted by the platform: 0 or the code.
  virtual int Startup() = 0;
  virtual int Cleanup() = 0;

  // A new IPv4 stream socket (blocking), or kInvalidSocket.
  virtual SocketHandle OpenStream() = 0;
  // Closes the socket; it is reported no more. 0 or the code.
  virtual int Close(SocketHandle socket) = 0;
  // Reports the events of mask for socket and makes it non-blocking; mask 0 stops the reports
  // and makes it blocking again.
  virtual void Select(SocketHandle socket, uint8_t mask) = 0;
  // 0 when connected, or the code. A selected socket answers kEWOULDBLOCK and reports the
  // outcome by kConnect.
  virtual int Connect(SocketHandle socket, SocketAddress to) = 0;
  // One send: the count the platform took, or -1 with error set.
  virtual int Send(SocketHandle socket, const char* bytes, int count, int& error) = 0;
  // One receive: the count read, 0 at the end of the stream, or -1 with error set.
  virtual int Receive(SocketHandle socket, char* bytes, int count, int& error) = 0;
  // The number of bytes waiting to be read; 0 when that cannot be found out.
  virtual int BytesWaiting(SocketHandle socket) = 0;

  // Starts a look-up of a host name (a dotted address is looked up too) or of a TCP service
  // name; the result arrives at LookupDone. 0 with error set when it cannot be requested.
  virtual LookupRequest LookupHost(const std::string& host, int& error) = 0;
  virtual LookupRequest LookupService(const std::string& service, int& error) = 0;
  // Asks the platform not to report the request; its result may still arrive. 0 or the code.
  virtual int CancelLookup(LookupRequest request) = 0;

  // A dotted address as inet_addr reads it (0xFFFFFFFF when it is none), network byte order.
  virtual uint32_t ParseAddress(const std::string& text) = 0;
  // Blocking look-ups: the first IPv4 address, or 0 when the name is not found; the service's
  // port in network byte order, or 0.
  virtual uint32_t ResolveHost(const std::string& host) = 0;
  virtual uint16_t ResolveService(const std::string& service) = 0;
};

// The platform's implementation, reporting to events; sender is what the error route is told.
std::unique_ptr<AsyncSocketApi> CreateAsyncSocketApi(AsyncSocketEvents& events, TObject* sender);

// How a socket object gets its implementation; tests put in a fake.
using AsyncSocketApiFactory =
    std::function<std::unique_ptr<AsyncSocketApi>(AsyncSocketEvents& events, TObject* sender)>;
