#include "fakes/FakeSockets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "transport/line/NetComponent.h"

namespace {

std::string Number(uint64_t value) {
  return std::to_string(value);
}

}  // namespace

SocketsFactory FakeSockets::Factory(FakeNetwork& network, FakeSockets*& made) {
  return [&network, &made](SocketEvents* events, TObject*) {
    auto fake = std::make_unique<FakeSockets>(network, events);
    made = fake.get();
    return std::unique_ptr<Sockets>(std::move(fake));
  };
}

std::string FakeSockets::Text(const SocketAddress& address) {
  const Ipv4Address& a = address.address;
  return Number(a[0]) + "." + Number(a[1]) + "." + Number(a[2]) + "." + Number(a[3]) + ":" +
         Number(NetworkToHostOrder(address.port));
}

void FakeSockets::Notify(SocketHandle socket, int event, int error) {
  events_->SocketNotified(socket, event, error);
}

void FakeSockets::CompleteLookup(LookupRequest request, int error, SocketAddress result) {
  events_->LookupDone(request, error, result);
}

int FakeSockets::Fail(int code) {
  last_error_ = code;
  return kSocketError;
}

SocketsStart FakeSockets::Start(const std::string&, uint16_t version, SocketsVersion& reported) {
  if (net_.library_missing) {
    last_error_ = wsa::kSYSNOTREADY;
    return SocketsStart::LibraryMissing;
  }
  net_.Add("WSAStartup " + Number(version));
  if (net_.startup_error != 0) {
    last_error_ = net_.startup_error;
    return SocketsStart::StartupFailed;
  }
  started_ = net_.started = true;
  reported.version = version;
  reported.high_version = version;
  reported.description = "fake";
  return SocketsStart::Started;
}

int FakeSockets::Stop() {
  if (!started_) return 0;
  net_.Add("WSACleanup");
  started_ = net_.started = false;
  return net_.cleanup_error;
}

SocketHandle FakeSockets::Socket(int type, int protocol) {
  const std::string call = "socket " + Number(type) + " " + Number(protocol);
  if (net_.socket_fails) {
    net_.Add(call + " failed");
    Fail(wsa::kEMFILE);
    return kInvalidSocket;
  }
  net_.last_socket = net_.next_socket++;
  net_.Add(call + " #" + Number(net_.last_socket));
  return net_.last_socket;
}

int FakeSockets::Bind(SocketHandle socket, const SocketAddress& local) {
  net_.Add("bind " + Number(socket) + " " + Text(local));
  net_.bound = local;
  return net_.bind_error ? Fail(net_.bind_error) : 0;
}

int FakeSockets::Connect(SocketHandle socket, const SocketAddress& remote) {
  net_.Add("connect " + Number(socket) + " " + Text(remote));
  net_.connected = remote;
  if (net_.connect_error) return Fail(net_.connect_error);
  // A socket selected for kConnect reports the outcome by notification.
  return masks_[socket] & socket_event::kConnect ? Fail(wsa::kEWOULDBLOCK) : 0;
}

int FakeSockets::LocalName(SocketHandle, SocketAddress& local) {
  local = net_.bound;
  local.port = HostToNetworkOrder(49152);
  return 0;
}

int FakeSockets::PeerName(SocketHandle, SocketAddress& remote) {
  remote = net_.connected;
  return 0;
}

int FakeSockets::Receive(SocketHandle socket, char* buffer, int length) {
  net_.Add("recv " + Number(socket) + " " + std::to_string(length));
  net_.now_us = std::max(net_.now_us, net_.next_arrival_us);
  if (!net_.incoming.empty()) {
    std::string& chunk = net_.incoming.front();
    const size_t n = std::min(chunk.size(), static_cast<size_t>(std::max(length, 0)));
    std::memcpy(buffer, chunk.data(), n);
    chunk.erase(0, n);
    if (chunk.empty()) {
      net_.incoming.pop_front();
      net_.next_arrival_us = net_.now_us + net_.gap_us;
    }
    return static_cast<int>(n);
  }
  switch (net_.end) {
    case FakeNetwork::End::Closed:
      return 0;
    case FakeNetwork::End::Failed:
      return Fail(net_.end_error);
    case FakeNetwork::End::Open:
      break;
  }
  // Nothing waiting: a blocking receive would wait here for ever, so the line client receives
  // only after select; a selected socket would block.
  return Fail(wsa::kEWOULDBLOCK);
}

int FakeSockets::Send(SocketHandle socket, const char* data, int length) {
  int taken = length;
  if (!net_.send_results.empty()) {
    taken = std::min(net_.send_results.front(), length);
    net_.send_results.pop_front();
  } else if (net_.send_error != 0) {
    taken = -net_.send_error;
  }
  net_.Add("send " + Number(socket) + " " + std::to_string(length) + " took " +
           std::to_string(std::max(taken, -1)));
  if (taken < 0) return Fail(-taken);
  net_.sent.append(data, static_cast<size_t>(taken));
  return taken;
}

int FakeSockets::BytesWaiting(SocketHandle) {
  return net_.incoming.empty() ? 0 : static_cast<int>(net_.incoming.front().size());
}

int FakeSockets::SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) {
  net_.Add("select " + Number(sockets.size()) + " " +
           (timeout ? std::to_string(timeout->seconds) + "s" +
                          std::to_string(timeout->microseconds) + "us"
                    : "forever"));
  const bool coming = !net_.incoming.empty() || net_.end != FakeNetwork::End::Open;
  const int64_t wait = timeout ? int64_t{timeout->seconds} * 1'000'000 + timeout->microseconds : -1;
  if (coming && (wait < 0 || net_.next_arrival_us <= net_.now_us + wait)) {
    net_.now_us = std::max(net_.now_us, net_.next_arrival_us);
    return 1;
  }
  if (wait > 0) net_.now_us += wait;
  return 0;
}

int FakeSockets::SetOption(SocketHandle socket, int level, int option, int32_t value) {
  net_.Add("option " + Number(socket) + " " + std::to_string(level) + " " + std::to_string(option));
  net_.option_values.push_back(value);
  return net_.option_error ? Fail(net_.option_error) : 0;
}

int FakeSockets::Shutdown(SocketHandle socket, int how) {
  net_.Add("shutdown " + Number(socket) + " " + std::to_string(how));
  return 0;
}

int FakeSockets::CloseSocket(SocketHandle socket) {
  net_.Add("closesocket " + Number(socket));
  masks_.erase(socket);
  return net_.close_error ? Fail(net_.close_error) : 0;
}

bool FakeSockets::HostByName(const std::string& name, Ipv4Address& address) {
  net_.Add("gethostbyname " + name);
  auto found = net_.hosts.find(name);
  if (found == net_.hosts.end()) {
    Fail(net_.lookup_error);
    return false;
  }
  address = found->second;
  return true;
}

bool FakeSockets::ServiceByName(const std::string& service, uint16_t& port) {
  net_.Add("getservbyname " + service);
  auto found = net_.services.find(service);
  if (found == net_.services.end()) {
    Fail(wsa::kNO_DATA);
    return false;
  }
  port = HostToNetworkOrder(found->second);
  return true;
}

Ipv4Address FakeSockets::ParseAddress(const std::string& text) {
  unsigned a, b, c, d;
  char rest;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &rest) != 4) {
    return {255, 255, 255, 255};
  }
  return {static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c),
          static_cast<uint8_t>(d)};
}

int FakeSockets::SelectEvents(SocketHandle socket, uint8_t mask) {
  net_.Add("asyncselect " + Number(socket) + " " + Number(mask));
  if (mask != 0 && net_.window_fails) return Fail(wsa::kENOBUFS);
  masks_[socket] = mask;
  return 0;
}

LookupRequest FakeSockets::Request(const std::string& what) {
  if (net_.window_fails || net_.request_error != 0) {
    net_.Add("lookup " + what + " failed");
    Fail(net_.window_fails ? wsa::kENOBUFS : net_.request_error);
    return 0;
  }
  net_.last_request = net_.next_request++;
  net_.Add("lookup " + what + " #" + Number(net_.last_request));
  return net_.last_request;
}

LookupRequest FakeSockets::LookupHost(const std::string& host) {
  return Request("host " + host);
}

LookupRequest FakeSockets::LookupService(const std::string& service) {
  return Request("service " + service);
}

int FakeSockets::CancelLookup(LookupRequest request) {
  net_.Add("cancel #" + Number(request));
  return net_.cancel_error ? Fail(net_.cancel_error) : 0;
}

FakeSocketsScope::FakeSocketsScope(FakeNetwork& network)
    : previous_(SetSocketsSource([&network](SocketEvents* events, TObject*) {
        return std::make_unique<FakeSockets>(network, events);
      })) {}

FakeSocketsScope::~FakeSocketsScope() {
  SetSocketsSource(std::move(previous_));
}
