// Windows Sockets 1.1 from "wsock32.dll", loaded at run time so that a missing or broken
// library is a start-up error of the program instead of a failure to start at all. Every
// function is held in a pointer of its declared type, so the compiler checks each call.
#include "platform/BlockingSockets.h"

#include <winsock2.h>

#include <cstring>

namespace {

// The loaded library; freed when its owner goes.
class Library {
 public:
  Library() = default;
  ~Library() { Free(); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  bool Load(const char* name) {
    Free();
    module_ = ::LoadLibraryA(name);
    return module_ != nullptr;
  }
  void Free() {
    if (module_) ::FreeLibrary(module_);
    module_ = nullptr;
  }
  // Null when the library is not loaded or lacks the name.
  template <typename Function>
  void Find(Function*& function, const char* name) const {
    function =
        module_
            ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module_, name)))
            : nullptr;
  }

 private:
  HMODULE module_ = nullptr;
};

sockaddr_in ToAddress(const InetEndpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = endpoint.port;
  std::memcpy(&address.sin_addr, endpoint.address.data(), 4);
  return address;
}

InetEndpoint FromAddress(const sockaddr_in& address) {
  InetEndpoint endpoint;
  endpoint.port = address.sin_port;
  std::memcpy(endpoint.address.data(), &address.sin_addr, 4);
  return endpoint;
}

SOCKET Native(SocketHandle socket) {
  return static_cast<SOCKET>(socket);
}

class WinsockSockets final : public BlockingSockets {
 public:
  ~WinsockSockets() override { Stop(); }

  SocketsStart Start(uint16_t version, SocketsVersion& reported) override {
    Stop();
    if (!library_.Load(kWindowsSocketsLibrary)) return SocketsStart::LibraryMissing;
    FindFunctions();
    WSADATA data{};
    if (!startup_ || startup_(version, &data) != 0) return SocketsStart::StartupFailed;
    started_ = true;
    reported.version = data.wVersion;
    reported.high_version = data.wHighVersion;
    reported.description = data.szDescription;
    reported.system_status = data.szSystemStatus;
    reported.max_sockets = data.iMaxSockets;
    reported.max_datagram = data.iMaxUdpDg;
    return SocketsStart::Started;
  }

  void Stop() override {
    if (started_) {
      if (cancel_blocking_call_) cancel_blocking_call_();
      if (cleanup_) cleanup_();
      started_ = false;
    }
    library_.Free();
    FindFunctions();
  }

  SocketHandle Socket(int type, int protocol) override {
    if (!socket_) {
      Missing();
      return kInvalidSocket;
    }
    SOCKET s = socket_(AF_INET, type, protocol);
    return s == INVALID_SOCKET ? kInvalidSocket : static_cast<SocketHandle>(s);
  }

  int Bind(SocketHandle socket, const InetEndpoint& local) override {
    if (!bind_) return Missing();
    sockaddr_in address = ToAddress(local);
    return bind_(Native(socket), reinterpret_cast<sockaddr*>(&address), sizeof address);
  }

  int Connect(SocketHandle socket, const InetEndpoint& remote) override {
    if (!connect_) return Missing();
    sockaddr_in address = ToAddress(remote);
    return connect_(Native(socket), reinterpret_cast<sockaddr*>(&address), sizeof address);
  }

  int LocalName(SocketHandle socket, InetEndpoint& local) override {
    return Name(getsockname_, socket, local);
  }
  int PeerName(SocketHandle socket, InetEndpoint& remote) override {
    return Name(getpeername_, socket, remote);
  }

  int Receive(SocketHandle socket, char* buffer, int length) override {
    return recv_ ? recv_(Native(socket), buffer, length, 0) : Missing();
  }

  int Send(SocketHandle socket, const char* data, int length) override {
    return send_ ? send_(Native(socket), data, length, 0) : Missing();
  }

  int SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) override {
    if (!select_) return Missing();
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

  int SetOption(SocketHandle socket, int level, int option, int32_t value) override {
    if (!setsockopt_) return Missing();
    return setsockopt_(Native(socket), level, option, reinterpret_cast<const char*>(&value),
                       sizeof value);
  }

  int Shutdown(SocketHandle socket, int how) override {
    return shutdown_ ? shutdown_(Native(socket), how) : Missing();
  }

  int CloseSocket(SocketHandle socket) override {
    return closesocket_ ? closesocket_(Native(socket)) : Missing();
  }

  bool HostByName(const std::string& name, std::array<uint8_t, 4>& address) override {
    if (!gethostbyname_) {
      Missing();
      return false;
    }
    const hostent* host = gethostbyname_(name.c_str());
    if (!host || host->h_length != 4 || !host->h_addr_list[0]) return false;
    std::memcpy(address.data(), host->h_addr_list[0], 4);
    return true;
  }

  uint16_t HostToNetwork(uint16_t value) override { return htons_ ? htons_(value) : value; }
  uint16_t NetworkToHost(uint16_t value) override { return ntohs_ ? ntohs_(value) : value; }

  int LastError() override {
    if (missing_call_) {
      missing_call_ = false;
      return WSASYSNOTREADY;
    }
    return get_last_error_ ? get_last_error_() : WSASYSNOTREADY;
  }

 private:
  void FindFunctions() {
    library_.Find(startup_, "WSAStartup");
    library_.Find(cleanup_, "WSACleanup");
    library_.Find(cancel_blocking_call_, "WSACancelBlockingCall");
    library_.Find(get_last_error_, "WSAGetLastError");
    library_.Find(socket_, "socket");
    library_.Find(bind_, "bind");
    library_.Find(connect_, "connect");
    library_.Find(getsockname_, "getsockname");
    library_.Find(getpeername_, "getpeername");
    library_.Find(recv_, "recv");
    library_.Find(send_, "send");
    library_.Find(select_, "select");
    library_.Find(setsockopt_, "setsockopt");
    library_.Find(shutdown_, "shutdown");
    library_.Find(closesocket_, "closesocket");
    library_.Find(gethostbyname_, "gethostbyname");
    library_.Find(htons_, "htons");
    library_.Find(ntohs_, "ntohs");
  }

  // A call whose function the library lacks fails; LastError reports it once.
  int Missing() {
    missing_call_ = true;
    return SOCKET_ERROR;
  }

  template <typename Function>
  int Name(Function* call, SocketHandle socket, InetEndpoint& endpoint) {
    if (!call) return Missing();
    sockaddr_in address{};
    int length = sizeof address;
    if (call(Native(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return SOCKET_ERROR;
    }
    endpoint = FromAddress(address);
    return 0;
  }

  Library library_;
  bool started_ = false;
  bool missing_call_ = false;
  decltype(&::WSAStartup) startup_ = nullptr;
  decltype(&::WSACleanup) cleanup_ = nullptr;
  decltype(&::WSACancelBlockingCall) cancel_blocking_call_ = nullptr;
  decltype(&::WSAGetLastError) get_last_error_ = nullptr;
  decltype(&::socket) socket_ = nullptr;
  decltype(&::bind) bind_ = nullptr;
  decltype(&::connect) connect_ = nullptr;
  decltype(&::getsockname) getsockname_ = nullptr;
  decltype(&::getpeername) getpeername_ = nullptr;
  decltype(&::recv) recv_ = nullptr;
  decltype(&::send) send_ = nullptr;
  decltype(&::select) select_ = nullptr;
  decltype(&::setsockopt) setsockopt_ = nullptr;
  decltype(&::shutdown) shutdown_ = nullptr;
  decltype(&::closesocket) closesocket_ = nullptr;
  decltype(&::gethostbyname) gethostbyname_ = nullptr;
  decltype(&::htons) htons_ = nullptr;
  decltype(&::ntohs) ntohs_ = nullptr;
};

}  // namespace

std::unique_ptr<BlockingSockets> NewSystemSockets() {
  return std::make_unique<WinsockSockets>();
}
