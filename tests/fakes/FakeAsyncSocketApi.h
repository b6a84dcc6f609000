// The platform's asynchronous sockets for tests: no real socket, every call recorded in the log,
// results set by the test, and the platform's notifications played by the test as Windows
// sends them (a reset as kClose with 10054, a cancelled look-up that still completes).
#pragma once

#include <functional>
#include <string>

#include "fakes/CallLog.h"
#include "platform/AsyncSockets.h"

class FakeAsyncSocketApi : public AsyncSocketApi {
 public:
  FakeAsyncSocketApi(AsyncSocketEvents& events, CallLog& log) : events_(events), log_(log) {}

  // A factory for a socket object that leaves the fake it made in made.
  static AsyncSocketApiFactory Factory(CallLog& log, FakeAsyncSocketApi*& made);

  // The platform's notifications, delivered at once; what the receiver raises comes out here.
  void Notify(SocketHandle socket, int event, int error = 0) {
    events_.SocketNotified(socket, event, error);
  }
  void CompleteLookup(LookupRequest request, int error, SocketAddress result = {}) {
    events_.LookupDone(request, error, result);
  }

  int Startup() override;
  int Cleanup() override;
  SocketHandle OpenStream() override;
  int Close(SocketHandle socket) override;
  void Select(SocketHandle socket, uint8_t mask) override;
  int Connect(SocketHandle socket, SocketAddress to) override;
  int Send(SocketHandle socket, const char* bytes, int count, int& error) override;
  int Receive(SocketHandle socket, char* bytes, int count, int& error) override;
  int BytesWaiting(SocketHandle socket) override;
  LookupRequest LookupHost(const std::string& host, int& error) override;
  LookupRequest LookupService(const std::string& service, int& error) override;
  int CancelLookup(LookupRequest request) override;
  uint32_t ParseAddress(const std::string& text) override;
  uint32_t ResolveHost(const std::string& host) override;
  uint16_t ResolveService(const std::string& service) override;

  // What the calls answer.
  int startup_result = 0;
  int cleanup_result = 0;
  int close_result = 0;
  int cancel_result = 0;
  int lookup_error = 0;  // a look-up cannot be requested
  int connect_result = 10035;
  int receive_error = 0;  // every receive fails with it
  bool socket_fails = false;
  // The count a send takes (given the count offered), or -1 with send_error.
  std::function<int(int count)> send_takes;
  int send_error = 0;
  uint32_t resolved_address = 0;
  uint16_t resolved_port = 0;

  // Bytes waiting to be received, and every byte the sends took.
  std::string waiting;
  std::string sent;
  LookupRequest last_request = 0;
  SocketHandle last_socket = kInvalidSocket;

  // "a.b.c.d:port" of an address in network byte order.
  static std::string Text(SocketAddress address);

 private:
  AsyncSocketEvents& events_;
  CallLog& log_;
  SocketHandle next_socket_ = 100;
  LookupRequest next_request_ = 1;
};
