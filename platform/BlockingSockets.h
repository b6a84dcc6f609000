// Blocking IPv4 TCP sockets with the behaviour and error numbers of Windows Sockets 1.1: on
// Windows over "wsock32.dll" loaded at run time, elsewhere over POSIX sockets. Calls return
// results and codes and never throw; the line transport turns them into its errors.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SocketTypes.h"

// The library that Windows loads; also named in the message when it cannot be loaded.
inline constexpr char kWindowsSocketsLibrary[] = "wsock32.dll";

// The Windows Sockets values of the arguments the line transport passes.
namespace sockets {
inline constexpr int kStream = 1;          // SOCK_STREAM
inline constexpr int kProtocolTcp = 6;     // IPPROTO_TCP, as a protocol and as an option level
inline constexpr int kTcpNoDelay = 1;      // TCP_NODELAY
inline constexpr int kShutdownSend = 1;    // SD_SEND
inline constexpr size_t kMaxSetSize = 64;  // sockets in one select set
}  // namespace sockets

// An IPv4 address (bytes in text order) and a port in network byte order.
struct InetEndpoint {
  std::array<uint8_t, 4> address{};
  uint16_t port = 0;
};

// A select time-out as Windows Sockets takes it.
struct WaitTime {
  int32_t seconds = 0;
  int32_t microseconds = 0;
};

// What the sockets layer reported when it started.
struct SocketsVersion {
  uint16_t version = 0;
  uint16_t high_version = 0;
  std::string description;
  std::string system_status;
  int max_sockets = 0;
  int max_datagram = 0;
};

enum class SocketsStart { Started, LibraryMissing, StartupFailed };

// One object per socket stack, used on one thread. After a call that failed (-1, an invalid
// socket or false), LastError() gives the Windows Sockets code of that failure.
class BlockingSockets {
 public:
  virtual ~BlockingSockets() = default;

  // Loads the library and starts it, asking for version (0x0101 is 1.1). A function that the
  // library lacks is not reported; calling it later fails with WSASYSNOTREADY.
  virtual SocketsStart Start(uint16_t version, SocketsVersion& reported) = 0;
  // Ends what Start began; the results are ignored. Safe to call when Start failed.
  virtual void Stop() = 0;

  virtual SocketHandle Socket(int type, int protocol) = 0;  // kInvalidSocket on failure
  virtual int Bind(SocketHandle socket, const InetEndpoint& local) = 0;
  // Blocks until connected or failed.
  virtual int Connect(SocketHandle socket, const InetEndpoint& remote) = 0;
  virtual int LocalName(SocketHandle socket, InetEndpoint& local) = 0;
  virtual int PeerName(SocketHandle socket, InetEndpoint& remote) = 0;
  // > 0 bytes received, 0 when the peer has closed, -1 on error.
  virtual int Receive(SocketHandle socket, char* buffer, int length) = 0;
  // Bytes taken, or -1.
  virtual int Send(SocketHandle socket, const char* data, int length) = 0;
  // How many sockets of the set are readable (a closed or failed connection counts); 0 when
  // the time passed; -1 on error. Without a time it waits without limit. At most kMaxSetSize.
  virtual int SelectReadable(const std::vector<SocketHandle>& sockets, const WaitTime* timeout) = 0;
  virtual int SetOption(SocketHandle socket, int level, int option, int32_t value) = 0;
  virtual int Shutdown(SocketHandle socket, int how) = 0;
  virtual int CloseSocket(SocketHandle socket) = 0;
  // The first IPv4 address of a host name; false when the look-up fails.
  virtual bool HostByName(const std::string& name, std::array<uint8_t, 4>& address) = 0;
  virtual uint16_t HostToNetwork(uint16_t value) = 0;
  virtual uint16_t NetworkToHost(uint16_t value) = 0;
  virtual int LastError() = 0;
};

// The system's sockets, not yet started.
std::unique_ptr<BlockingSockets> NewSystemSockets();
