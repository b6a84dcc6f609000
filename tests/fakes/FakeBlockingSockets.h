// A socket layer that replays what Windows Sockets does for one blocking client, scripted by a
// test: the peer's bytes arrive as queued, an orderly close reads 0 on every receive, and a
// reset fails every receive with 10054 (as Windows reports it; Linux and Wine do not). Each call
// is recorded, so a test can also check that no platform call happened.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/BlockingSockets.h"
#include "transport/line/NetComponent.h"

// The scripted other side and the record of calls; owned by the test.
struct FakeNetwork {
  enum class End { Open, Closed, Reset, Shutdown };

  SocketsStart start_result = SocketsStart::Started;
  bool socket_fails = false;
  int bind_error = 0;  // a Windows Sockets code makes the call fail with it
  int connect_error = 0;
  int option_error = 0;
  std::map<std::string, std::array<uint8_t, 4>> hosts;  // names that resolve
  int lookup_error = wsa::kHOST_NOT_FOUND;

  std::deque<std::string> incoming;  // chunks, each received by one or more receives
  End end = End::Open;               // what receives give once incoming is empty
  // Results of the next sends: a count of bytes taken, or a negative Windows Sockets code.
  // Without a result a send takes everything.
  std::deque<int> send_results;

  std::vector<std::string> calls;
  std::string sent;
  InetEndpoint bound;
  InetEndpoint connected;
  std::vector<int32_t> option_values;
  bool started = false;
};

class FakeBlockingSockets final : public BlockingSockets {
 public:
  explicit FakeBlockingSockets(FakeNetwork& network) : net_(network) {}

  SocketsStart Start(uint16_t version, SocketsVersion& reported) override;
  void Stop() override;
  SocketHandle Socket(int type, int protocol) override;
  int Bind(SocketHandle socket, const InetEndpoint& local) override;
  int Connect(SocketHandle socket, const InetEndpoint& remote) override;
  int LocalName(SocketHandle socket, InetEndpoint& local) override;
  int PeerName(SocketHandle socket, InetEndpoint& remote) override;
  int Receive(SocketHandle socket, char* buffer, int length) override;
  int Send(SocketHandle socket, const char* data, int length) override;
  int SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) override;
  int SetOption(SocketHandle socket, int level, int option, int32_t value) override;
  int Shutdown(SocketHandle socket, int how) override;
  int CloseSocket(SocketHandle socket) override;
  bool HostByName(const std::string& name, std::array<uint8_t, 4>& address) override;
  uint16_t HostToNetwork(uint16_t value) override;
  uint16_t NetworkToHost(uint16_t value) override;
  int LastError() override { return last_error_; }

 private:
  int Fail(int code);

  FakeNetwork& net_;
  int last_error_ = 0;
};

// Makes every stack created while it lives use a fake network (no component may exist when it
// is created or destroyed).
class FakeSocketsScope {
 public:
  explicit FakeSocketsScope(FakeNetwork& network);
  ~FakeSocketsScope();
  FakeSocketsScope(const FakeSocketsScope&) = delete;
  FakeSocketsScope& operator=(const FakeSocketsScope&) = delete;

 private:
  SocketsSource previous_;
};

// The 16-bit port in host order from a recorded endpoint.
uint16_t HostPort(const InetEndpoint& endpoint);
