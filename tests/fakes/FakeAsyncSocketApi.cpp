#include "fakes/FakeAsyncSocketApi.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

std::string Number(uint64_t value) {
  return std::to_string(value);
}

}  // namespace

AsyncSocketApiFactory FakeAsyncSocketApi::Factory(CallLog& log, FakeAsyncSocketApi*& made) {
  return [&log, &made](AsyncSocketEvents& events, TObject*) {
    auto fake = std::make_unique<FakeAsyncSocketApi>(events, log);
    made = fake.get();
    return std::unique_ptr<AsyncSocketApi>(std::move(fake));
  };
}

std::string FakeAsyncSocketApi::Text(SocketAddress address) {
  const auto* a = reinterpret_cast<const unsigned char*>(&address.address);
  const auto* p = reinterpret_cast<const unsigned char*>(&address.port);
  char text[32];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u:%u", a[0], a[1], a[2], a[3], p[0] * 256u + p[1]);
  return text;
}

int FakeAsyncSocketApi::Startup() {
  log_.Add("WSAStartup");
  return startup_result;
}

int FakeAsyncSocketApi::Cleanup() {
  log_.Add("WSACleanup");
  return cleanup_result;
}

SocketHandle FakeAsyncSocketApi::OpenStream() {
  if (socket_fails) {
    log_.Add("socket failed");
    return kInvalidSocket;
  }
  last_socket = next_socket_++;
  log_.Add("socket " + Number(last_socket));
  return last_socket;
}

int FakeAsyncSocketApi::Close(SocketHandle socket) {
  log_.Add("closesocket " + Number(socket));
  return close_result;
}

void FakeAsyncSocketApi::Select(SocketHandle socket, uint8_t mask) {
  log_.Add("select " + Number(socket) + " " + Number(mask));
}

int FakeAsyncSocketApi::Connect(SocketHandle socket, SocketAddress to) {
  log_.Add("connect " + Number(socket) + " " + Text(to));
  return connect_result;
}

int FakeAsyncSocketApi::Send(SocketHandle socket, const char* bytes, int count, int& error) {
  int taken = send_takes ? send_takes(count) : count;
  log_.Add("send " + Number(socket) + " " + Number(static_cast<uint64_t>(count)) + " took " +
           std::to_string(taken));
  if (taken < 0) {
    error = send_error;
    return -1;
  }
  sent.append(bytes, static_cast<size_t>(taken));
  return taken;
}

int FakeAsyncSocketApi::Receive(SocketHandle socket, char* bytes, int count, int& error) {
  log_.Add("recv " + Number(socket) + " " + std::to_string(count));
  if (receive_error != 0) {
    error = receive_error;
    return -1;
  }
  size_t taken = std::min(waiting.size(), static_cast<size_t>(std::max(count, 0)));
  std::copy_n(waiting.data(), taken, bytes);
  waiting.erase(0, taken);
  return static_cast<int>(taken);
}

int FakeAsyncSocketApi::BytesWaiting(SocketHandle) {
  return static_cast<int>(waiting.size());
}

LookupRequest FakeAsyncSocketApi::LookupHost(const std::string& host, int& error) {
  if (lookup_error != 0) {
    log_.Add("lookup host " + host + " failed");
    error = lookup_error;
    return 0;
  }
  last_request = next_request_++;
  log_.Add("lookup host " + host + " #" + Number(last_request));
  return last_request;
}

LookupRequest FakeAsyncSocketApi::LookupService(const std::string& service, int& error) {
  if (lookup_error != 0) {
    log_.Add("lookup service " + service + " failed");
    error = lookup_error;
    return 0;
  }
  last_request = next_request_++;
  log_.Add("lookup service " + service + " #" + Number(last_request));
  return last_request;
}

int FakeAsyncSocketApi::CancelLookup(LookupRequest request) {
  log_.Add("cancel #" + Number(request));
  return cancel_result;
}

uint32_t FakeAsyncSocketApi::ParseAddress(const std::string& text) {
  unsigned a, b, c, d;
  char rest;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &rest) != 4) return 0xFFFFFFFF;
  unsigned char bytes[4] = {static_cast<unsigned char>(a), static_cast<unsigned char>(b),
                            static_cast<unsigned char>(c), static_cast<unsigned char>(d)};
  uint32_t address;
  std::copy_n(bytes, 4, reinterpret_cast<unsigned char*>(&address));
  return address;
}

uint32_t FakeAsyncSocketApi::ResolveHost(const std::string& host) {
  log_.Add("gethostbyname " + host);
  return resolved_address;
}

uint16_t FakeAsyncSocketApi::ResolveService(const std::string& service) {
  log_.Add("getservbyname " + service);
  return resolved_port;
}
