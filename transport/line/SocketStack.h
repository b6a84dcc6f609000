// The socket stack: the one layer through which every line component reaches the platform's
// sockets. Its virtual operations are thin wrappers, one platform call each; the others turn
// failed calls into the program's errors and resolve host names.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/Component.h"
#include "platform/Sockets.h"
#include "transport/Texts.h"

// What the platform reported when the stack started; nothing in the program reads it.
class TStackVersion : public TObject {
 public:
  std::string Name;
  SocketsVersion Reported;
};

class TSocketStack : public TObject {
 public:
  // Results are the platform's unless stated: 0 or -1, a count, or -1 for a failure.
  // Address texts are dotted IPv4 (empty for bind means any address); ports pass through
  // HostToNetwork, so only their low 16 bits count.
  virtual int Bind(SocketHandle socket, const std::string& ip, int32_t port) = 0;
  virtual void CloseSocket(SocketHandle socket) = 0;  // result ignored
  virtual int Connect(SocketHandle socket, const std::string& ip, int32_t port) = 0;
  // The first address of the name as dotted text; raises the socket error of a failure.
  virtual std::string HostByName(const std::string& name) = 0;
  virtual uint16_t HostToNetwork(uint16_t value) = 0;
  virtual int Receive(SocketHandle socket, char* buffer, int length) = 0;
  // Readable sockets among readSet; raises EStackSetSizeExceeded for more than 64 sockets.
  // No time-out waits without limit.
  virtual int Select(const std::vector<SocketHandle>& readSet, const WaitTime* timeout) = 0;
  // The platform's steady clock in microseconds: what bounds a read that waits several times.
  virtual int64_t Microseconds() = 0;
  virtual int Send(SocketHandle socket, const char* data, int length) = 0;
  // Raises the socket error of a failure.
  virtual void SetOption(SocketHandle socket, int level, int option, int32_t value) = 0;
  virtual SocketHandle Socket(int type, int protocol) = 0;  // kInvalidSocket on failure
  virtual void Shutdown(SocketHandle socket, int how) = 0;  // result ignored
  // The code of the last failed call.
  virtual int LastError() = 0;
  // Address and port of each end; raise the socket error of a failure.
  virtual void PeerName(SocketHandle socket, std::string& ip, int32_t& port) = 0;
  virtual void SocketName(SocketHandle socket, std::string& ip, int32_t& port) = 0;

  // An IPv4 stream or datagram socket; kInvalidSocket when none can be had.
  SocketHandle NewSocket(int type, int protocol) { return Socket(type, protocol); }
  // False when result is not -1. Otherwise true when the last error is one of ignoredCodes;
  // any other code raises its socket error.
  bool CheckSocketCall(int result, std::initializer_list<int> ignoredCodes = {});
  // Raises ENetSocketError with SocketErrorMessage(code).
  [[noreturn]] static void ThrowSocketError(int code);
  // Whether a receive or send that failed with code has ended the connection: every later call
  // on that socket would fail as well (reset, aborted, timed out, network or host gone, not
  // connected, shut down, not a socket, the sockets stopped).
  static bool EndsConnection(int code);
  // "LOCALHOST" in any case is 127.0.0.1 without a look-up; a dotted quad is itself; any other
  // text is looked up and its first address taken.
  std::string LookupHost(const std::string& host);
  // Four parts separated by ".", each an integer 0 to 255 by the program's integer rule.
  static bool IsDottedQuad(std::string_view text);
  static std::string AddressToText(const Ipv4Address& address);
  // Each of the four parts stored as one byte; a part that is not an integer raises
  // EConvertError.
  static Ipv4Address TextToAddress(std::string_view text);
};

class TWinsockStackVersion : public TStackVersion {
 public:
  TWinsockStackVersion() { Name = transport_texts::kStackName; }
};

// The stack over sockets with Windows Sockets 1.1 behaviour (on Windows the real library,
// elsewhere the POSIX sockets that behave like it). Starting raises EStackCannotLoadWinsock or
// EStackInitFailed; the end stops the sockets and ignores the results.
class TWinsockStack : public TSocketStack {
 public:
  explicit TWinsockStack(std::unique_ptr<Sockets> sockets);
  ~TWinsockStack() override;
  TWinsockStack(const TWinsockStack&) = delete;
  TWinsockStack& operator=(const TWinsockStack&) = delete;

  const TWinsockStackVersion& StackVersion() const { return version_; }

  int Bind(SocketHandle socket, const std::string& ip, int32_t port) override;
  void CloseSocket(SocketHandle socket) override;
  int Connect(SocketHandle socket, const std::string& ip, int32_t port) override;
  std::string HostByName(const std::string& name) override;
  uint16_t HostToNetwork(uint16_t value) override;
  int Receive(SocketHandle socket, char* buffer, int length) override;
  int Select(const std::vector<SocketHandle>& readSet, const WaitTime* timeout) override;
  int64_t Microseconds() override;
  int Send(SocketHandle socket, const char* data, int length) override;
  void SetOption(SocketHandle socket, int level, int option, int32_t value) override;
  SocketHandle Socket(int type, int protocol) override;
  void Shutdown(SocketHandle socket, int how) override;
  int LastError() override;
  void PeerName(SocketHandle socket, std::string& ip, int32_t& port) override;
  void SocketName(SocketHandle socket, std::string& ip, int32_t& port) override;

 private:
  SocketAddress Endpoint(const std::string& ip, int32_t port);
  void ReadName(int result, const SocketAddress& address, std::string& ip, int32_t& port);

  std::unique_ptr<Sockets> sockets_;
  TWinsockStackVersion version_;
};
