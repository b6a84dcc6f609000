#include "fakes/FakeBlockingSockets.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr SocketHandle kFakeSocket = 7;

std::string Text(const InetEndpoint& endpoint) {
  const auto& a = endpoint.address;
  return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
         std::to_string(a[3]) + ":" + std::to_string(HostPort(endpoint));
}

}  // namespace

uint16_t HostPort(const InetEndpoint& endpoint) {
  return static_cast<uint16_t>((endpoint.port >> 8) | (endpoint.port << 8));
}

int FakeBlockingSockets::Fail(int code) {
  last_error_ = code;
  return kSocketError;
}

SocketsStart FakeBlockingSockets::Start(uint16_t version, SocketsVersion& reported) {
  net_.calls.push_back("start " + std::to_string(version));
  if (net_.start_result != SocketsStart::Started) return net_.start_result;
  net_.started = true;
  reported.version = version;
  reported.high_version = version;
  reported.description = "fake";
  return SocketsStart::Started;
}

void FakeBlockingSockets::Stop() {
  net_.calls.push_back("stop");
  net_.started = false;
}

SocketHandle FakeBlockingSockets::Socket(int type, int protocol) {
  net_.calls.push_back("socket " + std::to_string(type) + " " + std::to_string(protocol));
  if (net_.socket_fails) {
    Fail(wsa::kEMFILE);
    return kInvalidSocket;
  }
  return kFakeSocket;
}

int FakeBlockingSockets::Bind(SocketHandle, const InetEndpoint& local) {
  net_.calls.push_back("bind " + Text(local));
  net_.bound = local;
  return net_.bind_error ? Fail(net_.bind_error) : 0;
}

int FakeBlockingSockets::Connect(SocketHandle, const InetEndpoint& remote) {
  net_.calls.push_back("connect " + Text(remote));
  net_.connected = remote;
  return net_.connect_error ? Fail(net_.connect_error) : 0;
}

int FakeBlockingSockets::LocalName(SocketHandle, InetEndpoint& local) {
  local = net_.bound;
  local.port = HostToNetwork(49152);
  return 0;
}

int FakeBlockingSockets::PeerName(SocketHandle, InetEndpoint& remote) {
  remote = net_.connected;
  return 0;
}

int FakeBlockingSockets::Receive(SocketHandle, char* buffer, int length) {
  net_.calls.push_back("recv " + std::to_string(length));
  if (!net_.incoming.empty()) {
    std::string& chunk = net_.incoming.front();
    const size_t n = std::min(chunk.size(), static_cast<size_t>(length));
    std::memcpy(buffer, chunk.data(), n);
    chunk.erase(0, n);
    if (chunk.empty()) net_.incoming.pop_front();
    return static_cast<int>(n);
  }
  switch (net_.end) {
    case FakeNetwork::End::Closed:
      return 0;
    case FakeNetwork::End::Reset:
      return Fail(wsa::kECONNRESET);
    case FakeNetwork::End::Shutdown:
      return Fail(wsa::kESHUTDOWN);
    case FakeNetwork::End::Open:
      break;
  }
  // A blocking receive would wait here for ever; the client only receives after select.
  return Fail(wsa::kEWOULDBLOCK);
}

int FakeBlockingSockets::Send(SocketHandle, const char* data, int length) {
  net_.calls.push_back("send " + std::to_string(length));
  int taken = length;
  if (!net_.send_results.empty()) {
    const int result = net_.send_results.front();
    net_.send_results.pop_front();
    if (result < 0) return Fail(-result);
    taken = std::min(result, length);
  }
  net_.sent.append(data, static_cast<size_t>(taken));
  return taken;
}

int FakeBlockingSockets::SelectReadable(const std::vector<SocketHandle>& sockets,
                                        const WaitTime* timeout) {
  net_.calls.push_back("select " + std::to_string(sockets.size()) + " " +
                       (timeout ? std::to_string(timeout->seconds) + "s" +
                                      std::to_string(timeout->microseconds) + "us"
                                : "forever"));
  const bool readable = !net_.incoming.empty() || net_.end != FakeNetwork::End::Open;
  return readable ? 1 : 0;
}

int FakeBlockingSockets::SetOption(SocketHandle, int level, int option, int32_t value) {
  net_.calls.push_back("option " + std::to_string(level) + " " + std::to_string(option));
  net_.option_values.push_back(value);
  return net_.option_error ? Fail(net_.option_error) : 0;
}

int FakeBlockingSockets::Shutdown(SocketHandle, int how) {
  net_.calls.push_back("shutdown " + std::to_string(how));
  return 0;
}

int FakeBlockingSockets::CloseSocket(SocketHandle) {
  net_.calls.push_back("close");
  return 0;
}

bool FakeBlockingSockets::HostByName(const std::string& name, std::array<uint8_t, 4>& address) {
  net_.calls.push_back("lookup " + name);
  auto found = net_.hosts.find(name);
  if (found == net_.hosts.end()) {
    Fail(net_.lookup_error);
    return false;
  }
  address = found->second;
  return true;
}

uint16_t FakeBlockingSockets::HostToNetwork(uint16_t value) {
  return static_cast<uint16_t>((value >> 8) | (value << 8));
}

uint16_t FakeBlockingSockets::NetworkToHost(uint16_t value) {
  return HostToNetwork(value);
}

FakeSocketsScope::FakeSocketsScope(FakeNetwork& network)
    : previous_(
          SetSocketsSource([&network] { return std::make_unique<FakeBlockingSockets>(network); })) {
}

FakeSocketsScope::~FakeSocketsScope() {
  SetSocketsSource(std::move(previous_));
}
