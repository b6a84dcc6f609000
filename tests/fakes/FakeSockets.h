// The platform's sockets for tests, replaying what Windows Sockets does, scripted by a test: the
// peer's bytes arrive as queued (at once, or at a pace on the fake's clock), an orderly close
// reads 0 on every receive, a reset (or any failure that ends a connection) fails every receive
// with its code (as Windows reports it; Linux and Wine do not), a socket selected for kConnect
// answers its connect with 10035, and the test plays the notifications (a reset as kClose with
// 10054, a cancelled look-up that still completes). No real socket; every call that matters is
// recorded, so a test can also check that no platform call happened.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "fakes/CallLog.h"
#include "platform/Sockets.h"

// The scripted other side and the record of calls, owned by the test and shared by every fake
// made on it. The calls go into the log as short texts, in the order they happen.
struct FakeNetwork : CallLog {
  enum class End { Open, Closed, Failed };

  // What the calls answer; a Windows Sockets code makes the call fail with it.
  bool library_missing = false;
  int startup_error = 0;
  int cleanup_error = 0;
  bool socket_fails = false;
  int bind_error = 0;
  int connect_error = 0;
  int option_error = 0;
  int close_error = 0;
  int cancel_error = 0;
  int request_error = 0;      // an asynchronous look-up cannot be requested
  bool window_fails = false;  // the notifications cannot be set up (no hidden window)
  std::map<std::string, Ipv4Address> hosts;  // names that resolve
  int lookup_error = wsa::kHOST_NOT_FOUND;   // what a name not in hosts fails with
  std::map<std::string, uint16_t> services;  // TCP services that resolve, ports in host order

  // Chunks of the peer's bytes: the first has arrived, each later one arrives with a receive.
  std::deque<std::string> incoming;
  End end = End::Open;               // what receives give once incoming is empty
  int end_error = wsa::kECONNRESET;  // what they fail with when the end is Failed
  // The clock, for a peer that takes its time: each chunk after the first (and then the end)
  // arrives gap_us after the receive that took the one before. A wait moves now_us on to the
  // arrival, or by its whole time when nothing arrives within it; a receive waits for it.
  int64_t now_us = 0;
  int64_t gap_us = 0;
  int64_t next_arrival_us = 0;
  // Results of the next sends: a count of bytes taken, or a negative Windows Sockets code. Once
  // they are used up, a send fails with send_error, or takes everything when it is 0.
  std::deque<int> send_results;
  int send_error = 0;

  // What happened.
  std::string sent;
  SocketAddress bound;
  SocketAddress connected;
  std::vector<int32_t> option_values;
  bool started = false;
  SocketHandle last_socket = kInvalidSocket;
  LookupRequest last_request = 0;
  SocketHandle next_socket = 100;
  LookupRequest next_request = 1;
};

class FakeSockets final : public Sockets {
 public:
  FakeSockets(FakeNetwork& network, SocketEvents* events) : net_(network), events_(events) {}

  // A factory for a socket object that leaves the fake it made in made.
  static SocketsFactory Factory(FakeNetwork& network, FakeSockets*& made);
  // "a.b.c.d:port", the port in host order.
  static std::string Text(const SocketAddress& address);

  // The platform's notifications, delivered at once; what the receiver raises comes out here.
  void Notify(SocketHandle socket, int event, int error = 0);
  void CompleteLookup(LookupRequest request, int error, SocketAddress result = {});

  SocketsStart Start(const std::string& library, uint16_t version,
                     SocketsVersion& reported) override;
  int Stop() override;
  int LastError() override { return last_error_; }
  SocketHandle Socket(int type, int protocol) override;
  int Bind(SocketHandle socket, const SocketAddress& local) override;
  int Connect(SocketHandle socket, const SocketAddress& remote) override;
  int LocalName(SocketHandle socket, SocketAddress& local) override;
  int PeerName(SocketHandle socket, SocketAddress& remote) override;
  int Receive(SocketHandle socket, char* buffer, int length) override;
  int Send(SocketHandle socket, const char* data, int length) override;
  int BytesWaiting(SocketHandle socket) override;
  int SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) override;
  int64_t Microseconds() override { return net_.now_us; }
  int SetOption(SocketHandle socket, int level, int option, int32_t value) override;
  int Shutdown(SocketHandle socket, int how) override;
  int CloseSocket(SocketHandle socket) override;
  bool HostByName(const std::string& name, Ipv4Address& address) override;
  bool ServiceByName(const std::string& service, uint16_t& port) override;
  Ipv4Address ParseAddress(const std::string& text) override;
  int SelectEvents(SocketHandle socket, uint8_t mask) override;
  LookupRequest LookupHost(const std::string& host) override;
  LookupRequest LookupService(const std::string& service) override;
  int CancelLookup(LookupRequest request) override;

 private:
  int Fail(int code);
  LookupRequest Request(const std::string& what);

  FakeNetwork& net_;
  SocketEvents* events_;
  std::map<SocketHandle, uint8_t> masks_;
  bool started_ = false;
  int last_error_ = 0;
};

// Makes every line transport stack created while it lives use fakes on network (no line
// component may exist when it is created or destroyed).
class FakeSocketsScope {
 public:
  explicit FakeSocketsScope(FakeNetwork& network);
  ~FakeSocketsScope();
  FakeSocketsScope(const FakeSocketsScope&) = delete;
  FakeSocketsScope& operator=(const FakeSocketsScope&) = delete;

 private:
  SocketsFactory previous_;
};
