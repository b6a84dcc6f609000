// Windows Sockets 1.1 reporting to the object's hidden utility window. Each look-up has a buffer
// of its own that the platform writes the host or service entry into. A cancelled request may
// still complete and write it (Wine does), so the buffer is freed only when the request's
// completion has arrived; buffers of requests still out when the window goes are left to the
// platform, because it may still write them.
#include <winsock2.h>

#include <map>
#include <memory>

#include "platform/AsyncSockets.h"
#include "platform/win32/UtilityWindow.h"

namespace {

constexpr UINT kSocketNotifyMessage = WM_USER + 1;
constexpr UINT kLookupDoneMessage = WM_USER + 3;

SOCKET Native(SocketHandle socket) {
  return static_cast<SOCKET>(socket);
}

class Win32AsyncSocketApi final : public AsyncSocketApi {
 public:
  Win32AsyncSocketApi(AsyncSocketEvents& events, TObject* sender)
      : events_(events), sender_(sender) {}

  ~Win32AsyncSocketApi() override {
    if (!window_) return;
    // Completions already queued free their buffers; the rest are the platform's now.
    MSG message;
    while (PeekMessageW(&message, window_->Handle(), kLookupDoneMessage, kLookupDoneMessage,
                        PM_REMOVE)) {
      lookups_.erase(static_cast<LookupRequest>(message.wParam));
    }
    for (auto& [request, lookup] : lookups_) lookup.buffer.release();
    window_.reset();
  }

  int Startup() override {
    WSADATA data;
    return WSAStartup(0x0101, &data);
  }
  int Cleanup() override { return WSACleanup() == 0 ? 0 : WSAGetLastError(); }

  SocketHandle OpenStream() override {
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
    return s == INVALID_SOCKET ? kInvalidSocket : static_cast<SocketHandle>(s);
  }

  int Close(SocketHandle socket) override {
    return closesocket(Native(socket)) == 0 ? 0 : WSAGetLastError();
  }

  void Select(SocketHandle socket, uint8_t mask) override {
    if (mask != 0) {
      WSAAsyncSelect(Native(socket), Window(), kSocketNotifyMessage, mask);
      return;
    }
    WSAAsyncSelect(Native(socket), nullptr, 0, 0);
    u_long blocking = 0;
    ioctlsocket(Native(socket), FIONBIO, &blocking);
  }

  int Connect(SocketHandle socket, SocketAddress to) override {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = to.port;
    address.sin_addr.s_addr = to.address;
    if (connect(Native(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      return 0;
    }
    return WSAGetLastError();
  }

  int Send(SocketHandle socket, const char* bytes, int count, int& error) override {
    int sent = send(Native(socket), bytes, count, 0);
    if (sent == SOCKET_ERROR) error = WSAGetLastError();
    return sent;
  }

  int Receive(SocketHandle socket, char* bytes, int count, int& error) override {
    int received = recv(Native(socket), bytes, count, 0);
    if (received == SOCKET_ERROR) error = WSAGetLastError();
    return received;
  }

  int BytesWaiting(SocketHandle socket) override {
    u_long count = 0;
    return ioctlsocket(Native(socket), FIONREAD, &count) == 0 ? static_cast<int>(count) : 0;
  }

  LookupRequest LookupHost(const std::string& host, int& error) override {
    auto buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
    HANDLE request = WSAAsyncGetHostByName(Window(), kLookupDoneMessage, host.c_str(), buffer.get(),
                                           MAXGETHOSTSTRUCT);
    return Keep(request, true, std::move(buffer), error);
  }

  LookupRequest LookupService(const std::string& service, int& error) override {
    auto buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
    HANDLE request = WSAAsyncGetServByName(Window(), kLookupDoneMessage, service.c_str(), "tcp",
                                           buffer.get(), MAXGETHOSTSTRUCT);
    return Keep(request, false, std::move(buffer), error);
  }

  int CancelLookup(LookupRequest request) override {
    HANDLE handle = reinterpret_cast<HANDLE>(request);
    return WSACancelAsyncRequest(handle) == 0 ? 0 : WSAGetLastError();
  }

  uint32_t ParseAddress(const std::string& text) override { return inet_addr(text.c_str()); }

  uint32_t ResolveHost(const std::string& host) override {
    const hostent* entry = gethostbyname(host.c_str());
    return entry ? FirstAddress(*entry) : 0;
  }

  uint16_t ResolveService(const std::string& service) override {
    const servent* entry = getservbyname(service.c_str(), "tcp");
    return entry ? static_cast<uint16_t>(entry->s_port) : 0;
  }

 private:
  struct Lookup {
    bool host;
    std::unique_ptr<char[]> buffer;
  };

  static uint32_t FirstAddress(const hostent& entry) {
    if (!entry.h_addr_list || !entry.h_addr_list[0]) return 0;
    uint32_t address;
    memcpy(&address, entry.h_addr_list[0], sizeof address);
    return address;
  }

  HWND Window() {
    if (!window_) {
      window_ = std::make_unique<UtilityWindow>(
          sender_, [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
            return HandleMessage(message, wparam, lparam, result);
          });
    }
    return window_->Handle();
  }

  LookupRequest Keep(HANDLE request, bool host, std::unique_ptr<char[]> buffer, int& error) {
    if (!request) {
      error = WSAGetLastError();
      return 0;
    }
    auto id = reinterpret_cast<LookupRequest>(request);
    lookups_[id] = Lookup{host, std::move(buffer)};
    return id;
  }

  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    result = 0;
    if (message == kSocketNotifyMessage) {
      events_.SocketNotified(static_cast<SocketHandle>(wparam), WSAGETSELECTEVENT(lparam),
                             WSAGETSELECTERROR(lparam));
      return true;
    }
    if (message == kLookupDoneMessage) {
      LookupDone(static_cast<LookupRequest>(wparam), WSAGETASYNCERROR(lparam));
      return true;
    }
    return false;
  }

  void LookupDone(LookupRequest request, int error) {
    auto found = lookups_.find(request);
    if (found == lookups_.end()) return;
    SocketAddress result;
    if (error == 0) {
      const char* buffer = found->second.buffer.get();
      if (found->second.host) {
        result.address = FirstAddress(*reinterpret_cast<const hostent*>(buffer));
      } else {
        result.port = static_cast<uint16_t>(reinterpret_cast<const servent*>(buffer)->s_port);
      }
    }
    // The buffer goes before the receiver runs: it may raise.
    lookups_.erase(found);
    events_.LookupDone(request, error, result);
  }

  AsyncSocketEvents& events_;
  TObject* sender_;
  std::unique_ptr<UtilityWindow> window_;
  std::map<LookupRequest, Lookup> lookups_;
};

}  // namespace

std::unique_ptr<AsyncSocketApi> CreateAsyncSocketApi(AsyncSocketEvents& events, TObject* sender) {
  return std::make_unique<Win32AsyncSocketApi>(events, sender);
}
