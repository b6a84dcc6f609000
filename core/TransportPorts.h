// The two transports as the connection controller and the outgoing pipeline drive them.
// The line transport (TLineClient) and the event-driven transport (TEventClient) implement
// these; every operation may raise the transport's errors, which travel to the caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The blocking client behind "TCP/IP Server".
class LineTransport {
 public:
  virtual ~LineTransport() = default;
  virtual void SetHost(const std::string& host) = 0;
  virtual const std::string& Host() const = 0;
  virtual void SetPort(int32_t port) = 0;
  virtual int32_t Port() const = 0;
  // Blocks until connected or failed. OnConnected runs inside on success; on a failure after
  // the socket was created OnDisconnected runs inside, then the error is raised.
  virtual void Open() = 0;
  // Closes an open connection; OnDisconnected runs inside. Does nothing when not open.
  virtual void Close() = 0;
  // Whether the connection is open; never blocks, never raises, makes no platform call.
  virtual bool IsOpen() const = 0;
  // One received line without its terminator, or "" when none arrived within timeoutMs (the
  // whole call waits no longer). The peer's last bytes without a line end come back as a last
  // line; the call that then finds the end of the connection runs OnDisconnected inside and
  // raises "Connection Closed Gracefully." or the error that ended it.
  virtual std::string ReadLine(const std::string& terminator, int32_t timeoutMs) = 0;
  // Sends text followed by CR LF.
  virtual void WriteLine(const std::string& text) = 0;
};

// The non-blocking client behind "Server Socket".
class EventTransport {
 public:
  virtual ~EventTransport() = default;
  // A host equal to the stored one but for the case of a..z leaves the stored text.
  virtual void SetHost(const std::string& host) = 0;
  virtual const std::string& Host() const = 0;
  virtual void SetPort(int32_t port) = 0;
  virtual int32_t Port() const = 0;
  // True starts an asynchronous connect and returns at once; false closes a connection.
  virtual void SetActive(bool active) = 0;
  // True from the connect notification to the disconnect notification.
  virtual bool Active() const = 0;
  // The bytes waiting now, possibly none, up to the most that one read takes (the rest comes with
  // the next read notification); valid until the next receive.
  virtual std::string_view ReceiveString() = 0;
  // Sends the bytes as they are, in one send; the count sent (0 when not connected, -1 when the
  // send would block).
  virtual int32_t SendString(const std::string& text) = 0;
};
