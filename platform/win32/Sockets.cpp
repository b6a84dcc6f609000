// Windows Sockets 1.1 from "wsock32.dll", loaded at run time so that a missing or broken library
// is an error the program reports instead of a failure to start at all. Every function is held
// in a pointer of its declared type, so the compiler checks each call. Notifications arrive at
// the object's hidden utility window, made when first needed.
//
// Each look-up has a buffer of its own that the platform writes the host or service entry into.
// A cancelled request may still complete and write it (Wine does), so the buffer is freed only
// when the request's completion has arrived. Buffers of requests still out when the window goes
// are left to the platform, and so is the library, because the platform may still write them
// from code that the library brought in.
#include "platform/Sockets.h"

#include <winsock2.h>

#include <map>

#include "platform/NativeAddress.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/UtilityWindow.h"

namespace {

constexpr UINT kSocketNotifyMessage = WM_USER + 1;
constexpr UINT kLookupDoneMessage = WM_USER + 3;

SOCKET Native(SocketHandle socket) {
  return static_cast<SOCKET>(socket);
}

bool FirstAddress(const hostent* entry, Ipv4Address& address) {
  if (!entry || entry->h_length != 4 || !entry->h_addr_list || !entry->h_addr_list[0]) {
    return false;
  }
  std::memcpy(address.data(), entry->h_addr_list[0], address.size());
  return true;
}

class WinsockSockets final : public Sockets {
 public:
  WinsockSockets(SocketEvents* events, TObject* sender) : events_(events), sender_(sender) {}
  ~WinsockSockets() override { Stop(); }
  WinsockSockets(const WinsockSockets&) = delete;
  WinsockSockets& operator=(const WinsockSockets&) = delete;

  SocketsStart Start(const std::string& library, uint16_t version,
                     SocketsVersion& reported) override {
    Stop();
    if (!library_.Load(library.c_str())) {
      start_error_ = WSASYSNOTREADY;
      return SocketsStart::LibraryMissing;
    }
    FindFunctions();
    WSADATA data{};
    const int result = startup_ ? startup_(version, &data) : WSASYSNOTREADY;
    if (result != 0) {
      start_error_ = result;
      return SocketsStart::StartupFailed;
    }
    started_ = true;
    reported.version = data.wVersion;
    reported.high_version = data.wHighVersion;
    reported.description = data.szDescription;
    reported.system_status = data.szSystemStatus;
    reported.max_sockets = data.iMaxSockets;
    reported.max_datagram = data.iMaxUdpDg;
    return SocketsStart::Started;
  }

  int Stop() override {
    CloseWindow();
    int result = 0;
    if (started_) {
      if (cancel_blocking_call_) cancel_blocking_call_();
      if (!cleanup_) {
        result = WSASYSNOTREADY;
      } else if (cleanup_() != 0) {
        result = LastError();
      }
      started_ = false;
    }
    library_.Free();
    FindFunctions();
    return result;
  }

  // Before a successful start, the start's code; WSAGetLastError cannot be asked then.
  int LastError() override {
    if (!started_) return start_error_;
    return get_last_error_ ? get_last_error_() : own_error_;
  }

  SocketHandle Socket(int type, int protocol) override {
    if (!socket_) {
      Missing();
      return kInvalidSocket;
    }
    SOCKET s = socket_(AF_INET, type, protocol);
    return s == INVALID_SOCKET ? kInvalidSocket : static_cast<SocketHandle>(s);
  }

  int Bind(SocketHandle socket, const SocketAddress& local) override {
    if (!bind_) return Fail(WSASYSNOTREADY);
    sockaddr_in address = ToNativeAddress<sockaddr_in>(local, AF_INET);
    return bind_(Native(socket), reinterpret_cast<sockaddr*>(&address), sizeof address);
  }

  int Connect(SocketHandle socket, const SocketAddress& remote) override {
    if (!connect_) return Fail(WSASYSNOTREADY);
    sockaddr_in address = ToNativeAddress<sockaddr_in>(remote, AF_INET);
    return connect_(Native(socket), reinterpret_cast<sockaddr*>(&address), sizeof address);
  }

  int LocalName(SocketHandle socket, SocketAddress& local) override {
    return Name(getsockname_, socket, local);
  }
  int PeerName(SocketHandle socket, SocketAddress& remote) override {
    return Name(getpeername_, socket, remote);
  }

  int Receive(SocketHandle socket, char* buffer, int length) override {
    return recv_ ? recv_(Native(socket), buffer, length, 0) : Fail(WSASYSNOTREADY);
  }

  int Send(SocketHandle socket, const char* data, int length) override {
    return send_ ? send_(Native(socket), data, length, 0) : Fail(WSASYSNOTREADY);
  }

  int BytesWaiting(SocketHandle socket) override {
    u_long count = 0;
    if (!ioctlsocket_ || ioctlsocket_(Native(socket), FIONREAD, &count) != 0) return 0;
    return static_cast<int>(count);
  }

  int SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) override {
    if (!select_) return Fail(WSASYSNOTREADY);
    fd_set set;
    set.fd_count = 0;
    for (SocketHandle s : sockets) {
      if (set.fd_count == FD_SETSIZE) break;
      set.fd_array[set.fd_count++] = Native(s);
    }
    timeval wait{};
    if (timeout) wait = timeval{timeout->seconds, timeout->microseconds};
    return select_(0, &set, nullptr, nullptr, timeout ? &wait : nullptr);
  }

  int64_t Microseconds() override {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    // In two steps, so that a counter of many days does not overflow.
    const int64_t seconds = now.QuadPart / frequency.QuadPart;
    const int64_t rest = now.QuadPart % frequency.QuadPart;
    return seconds * 1'000'000 + rest * 1'000'000 / frequency.QuadPart;
  }

  int SetOption(SocketHandle socket, int level, int option, int32_t value) override {
    if (!setsockopt_) return Fail(WSASYSNOTREADY);
    return setsockopt_(Native(socket), level, option, reinterpret_cast<const char*>(&value),
                       sizeof value);
  }

  int Shutdown(SocketHandle socket, int how) override {
    return shutdown_ ? shutdown_(Native(socket), how) : Fail(WSASYSNOTREADY);
  }

  int CloseSocket(SocketHandle socket) override {
    return closesocket_ ? closesocket_(Native(socket)) : Fail(WSASYSNOTREADY);
  }

  bool HostByName(const std::string& name, Ipv4Address& address) override {
    if (!gethostbyname_) return Missing();
    return FirstAddress(gethostbyname_(name.c_str()), address);
  }

  bool ServiceByName(const std::string& service, uint16_t& port) override {
    if (!getservbyname_) return Missing();
    const servent* entry = getservbyname_(service.c_str(), "tcp");
    if (!entry) return false;
    port = static_cast<uint16_t>(entry->s_port);
    return true;
  }

  Ipv4Address ParseAddress(const std::string& text) override {
    const u_long parsed = inet_addr_ ? inet_addr_(text.c_str()) : INADDR_NONE;
    Ipv4Address address;
    std::memcpy(address.data(), &parsed, address.size());
    return address;
  }

  // WSAAsyncSelect's own answer is not reported: only a window that cannot be made is.
  int SelectEvents(SocketHandle socket, uint8_t mask) override {
    if (!async_select_ || !ioctlsocket_) return Fail(WSASYSNOTREADY);
    if (mask != 0) {
      HWND window = Window();
      if (!window) return Fail(WSAENOBUFS);
      async_select_(Native(socket), window, kSocketNotifyMessage, mask);
      return 0;
    }
    async_select_(Native(socket), nullptr, 0, 0);
    u_long blocking = 0;
    ioctlsocket_(Native(socket), FIONBIO, &blocking);
    return 0;
  }

  LookupRequest LookupHost(const std::string& host) override {
    HWND window = Window();
    if (!async_get_host_ || !window) return NoRequest(window);
    auto buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
    HANDLE request =
        async_get_host_(window, kLookupDoneMessage, host.c_str(), buffer.get(), MAXGETHOSTSTRUCT);
    return Keep(request, true, std::move(buffer));
  }

  LookupRequest LookupService(const std::string& service) override {
    HWND window = Window();
    if (!async_get_service_ || !window) return NoRequest(window);
    auto buffer = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
    HANDLE request = async_get_service_(window, kLookupDoneMessage, service.c_str(), "tcp",
                                        buffer.get(), MAXGETHOSTSTRUCT);
    return Keep(request, false, std::move(buffer));
  }

  int CancelLookup(LookupRequest request) override {
    if (!cancel_request_) return Fail(WSASYSNOTREADY);
    return cancel_request_(reinterpret_cast<HANDLE>(request));
  }

 private:
  struct Lookup {
    bool host;
    std::unique_ptr<char[]> buffer;
  };

  void FindFunctions() {
    library_.Find(startup_, "WSAStartup");
    library_.Find(cleanup_, "WSACleanup");
    library_.Find(cancel_blocking_call_, "WSACancelBlockingCall");
    library_.Find(get_last_error_, "WSAGetLastError");
    library_.Find(set_last_error_, "WSASetLastError");
    library_.Find(socket_, "socket");
    library_.Find(bind_, "bind");
    library_.Find(connect_, "connect");
    library_.Find(getsockname_, "getsockname");
    library_.Find(getpeername_, "getpeername");
    library_.Find(recv_, "recv");
    library_.Find(send_, "send");
    library_.Find(ioctlsocket_, "ioctlsocket");
    library_.Find(select_, "select");
    library_.Find(setsockopt_, "setsockopt");
    library_.Find(shutdown_, "shutdown");
    library_.Find(closesocket_, "closesocket");
    library_.Find(gethostbyname_, "gethostbyname");
    library_.Find(getservbyname_, "getservbyname");
    library_.Find(inet_addr_, "inet_addr");
    library_.Find(async_select_, "WSAAsyncSelect");
    library_.Find(async_get_host_, "WSAAsyncGetHostByName");
    library_.Find(async_get_service_, "WSAAsyncGetServByName");
    library_.Find(cancel_request_, "WSACancelAsyncRequest");
  }

  // A call that cannot be made fails with code, as the platform's own failures do.
  int Fail(int code) {
    if (set_last_error_) {
      set_last_error_(code);
    } else {
      own_error_ = code;
    }
    return SOCKET_ERROR;
  }

  // A call of a function that the library lacks: false, with WSASYSNOTREADY.
  bool Missing() {
    Fail(WSASYSNOTREADY);
    return false;
  }

  // A look-up that cannot be requested: without the function, or without a window for its result.
  LookupRequest NoRequest(HWND window) {
    Fail(window ? WSASYSNOTREADY : WSAENOBUFS);
    return 0;
  }

  template <typename Function>
  int Name(Function* call, SocketHandle socket, SocketAddress& address) {
    if (!call) return Fail(WSASYSNOTREADY);
    sockaddr_in native{};
    int length = sizeof native;
    if (call(Native(socket), reinterpret_cast<sockaddr*>(&native), &length) != 0) {
      return SOCKET_ERROR;
    }
    address = FromNativeAddress(native);
    return 0;
  }

  // Null when the window cannot be made; the next call tries again.
  HWND Window() {
    if (!window_ && events_) {
      window_ = std::make_unique<UtilityWindow>(
          sender_, [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
            return HandleMessage(message, wparam, lparam, result);
          });
      if (!window_->Handle()) window_.reset();
    }
    return window_ ? window_->Handle() : nullptr;
  }

  void CloseWindow() {
    if (!window_) return;
    // Completions already queued free their buffers; the rest are the platform's now.
    MSG message;
    while (PeekMessageW(&message, window_->Handle(), kLookupDoneMessage, kLookupDoneMessage,
                        PM_REMOVE)) {
      lookups_.erase(static_cast<LookupRequest>(message.wParam));
    }
    if (!lookups_.empty()) library_.Leave();
    for (auto& [request, lookup] : lookups_) lookup.buffer.release();
    lookups_.clear();
    window_.reset();
  }

  LookupRequest Keep(HANDLE request, bool host, std::unique_ptr<char[]> buffer) {
    if (!request) return 0;
    auto id = reinterpret_cast<LookupRequest>(request);
    lookups_[id] = Lookup{host, std::move(buffer)};
    return id;
  }

  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    result = 0;
    if (message == kSocketNotifyMessage) {
      events_->SocketNotified(static_cast<SocketHandle>(wparam), WSAGETSELECTEVENT(lparam),
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
        FirstAddress(reinterpret_cast<const hostent*>(buffer), result.address);
      } else {
        result.port = static_cast<uint16_t>(reinterpret_cast<const servent*>(buffer)->s_port);
      }
    }
    // The buffer goes before the receiver runs: it may raise.
    lookups_.erase(found);
    events_->LookupDone(request, error, result);
  }

  SocketEvents* events_;
  TObject* sender_;
  Library library_;
  bool started_ = false;
  int start_error_ = 0;
  int own_error_ = 0;
  std::unique_ptr<UtilityWindow> window_;
  std::map<LookupRequest, Lookup> lookups_;

  decltype(&::WSAStartup) startup_ = nullptr;
  decltype(&::WSACleanup) cleanup_ = nullptr;
  decltype(&::WSACancelBlockingCall) cancel_blocking_call_ = nullptr;
  decltype(&::WSAGetLastError) get_last_error_ = nullptr;
  decltype(&::WSASetLastError) set_last_error_ = nullptr;
  decltype(&::socket) socket_ = nullptr;
  decltype(&::bind) bind_ = nullptr;
  decltype(&::connect) connect_ = nullptr;
  decltype(&::getsockname) getsockname_ = nullptr;
  decltype(&::getpeername) getpeername_ = nullptr;
  decltype(&::recv) recv_ = nullptr;
  decltype(&::send) send_ = nullptr;
  decltype(&::ioctlsocket) ioctlsocket_ = nullptr;
  decltype(&::select) select_ = nullptr;
  decltype(&::setsockopt) setsockopt_ = nullptr;
  decltype(&::shutdown) shutdown_ = nullptr;
  decltype(&::closesocket) closesocket_ = nullptr;
  decltype(&::gethostbyname) gethostbyname_ = nullptr;
  decltype(&::getservbyname) getservbyname_ = nullptr;
  decltype(&::inet_addr) inet_addr_ = nullptr;
  decltype(&::WSAAsyncSelect) async_select_ = nullptr;
  decltype(&::WSAAsyncGetHostByName) async_get_host_ = nullptr;
  decltype(&::WSAAsyncGetServByName) async_get_service_ = nullptr;
  decltype(&::WSACancelAsyncRequest) cancel_request_ = nullptr;
};

}  // namespace

std::unique_ptr<Sockets> NewSystemSockets(SocketEvents* events, TObject* sender) {
  return std::make_unique<WinsockSockets>(events, sender);
}
