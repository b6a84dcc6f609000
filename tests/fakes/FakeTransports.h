// Scripted transports for the controller and the pipeline: each call is recorded, and a test
// decides what Open, ReadLine, SetActive and the sends do (including calling back or raising).
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "core/TransportPorts.h"
#include "fakes/CallLog.h"

class FakeLineTransport : public LineTransport {
 public:
  explicit FakeLineTransport(CallLog& log) : log_(log) {}

  void SetHost(const std::string& host) override { host_ = host; }
  const std::string& Host() const override { return host_; }
  void SetPort(int32_t port) override { port_ = port; }
  int32_t Port() const override { return port_; }
  void Open() override;
  void Close() override;
  bool IsOpen() const override { return open; }
  std::string ReadLine(const std::string& terminator, int32_t timeoutMs) override;
  void WriteLine(const std::string& text) override;

  // What the transport does: by default Open connects and calls on_connected, Close calls
  // on_disconnected, ReadLine serves queued lines and then "".
  std::function<void()> on_connected;
  std::function<void()> on_disconnected;
  std::function<void()> open_behaviour;   // replaces the default Open when set
  std::function<void()> read_behaviour;   // runs before a ReadLine takes its line
  std::function<void()> write_behaviour;  // runs before a WriteLine records its text
  std::deque<std::string> lines;
  std::vector<std::string> written;
  bool open = false;

 private:
  CallLog& log_;
  std::string host_;
  int32_t port_ = 0;
};

class FakeEventTransport : public EventTransport {
 public:
  explicit FakeEventTransport(CallLog& log) : log_(log) {}

  void SetHost(const std::string& host) override;
  const std::string& Host() const override { return host_; }
  void SetPort(int32_t port) override { port_ = port; }
  int32_t Port() const override { return port_; }
  void SetActive(bool active) override;
  bool Active() const override { return active; }
  std::string_view ReceiveString() override;
  int32_t SendString(const std::string& text) override;

  std::function<void(bool)> active_behaviour;  // runs when Active is set
  std::function<void()> send_behaviour;        // runs before a send is recorded
  std::deque<std::string> chunks;
  std::string received;  // the chunk ReceiveString returned last
  std::vector<std::string> sent;
  bool active = false;

 private:
  CallLog& log_;
  std::string host_;
  int32_t port_ = 0;
};
