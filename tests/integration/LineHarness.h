// The connection controller driving a real line client, with the window and the other
// transport faked: what the program does for "TCP/IP Server", without the shell. Ticks are
// the poll timer's, called directly while the fake window's timer runs. And a bare line client
// opened to a loopback port.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/ConnectionController.h"
#include "core/Errors.h"
#include "core/OutgoingPipeline.h"
#include "core/Transcript.h"
#include "fakes/FakeConnectionView.h"
#include "fakes/FakeTransports.h"
#include "platform/Files.h"
#include "transport/line/LineClient.h"

struct LineHarness {
  LineHarness() {
    line.OnConnected = [this](TObject*) { controller.HandleConnected(); };
    line.OnDisconnected = [this](TObject*) { controller.HandleDisconnected(); };
    view.transport_index = ConnectionController::kLineKind;
  }

  // Ticks until done() holds or timeout_ms passes (each tick waits up to 5 ms for a line);
  // whether it held. A tick's error reaches the caller.
  bool TickUntil(const std::function<bool()>& done, int timeout_ms = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      Tick();
    }
    return true;
  }

  void Tick() {
    if (view.timer_running) controller.PollTick();
  }

  // Ticks until a tick raises; the error's message, or "" when none came in time.
  std::string TickUntilError(int timeout_ms = 5000) {
    try {
      TickUntil([] { return false; }, timeout_ms);
    } catch (const Exception& e) {
      return e.Message();
    }
    return std::string();
  }

  // The received entries shown so far ("> " and the line).
  std::vector<std::string> Received() const {
    std::vector<std::string> received;
    for (const std::string& line : transcript.Lines()) {
      if (line.rfind("> ", 0) == 0) received.push_back(line);
    }
    return received;
  }

  CallLog log;
  FakeConnectionView view{log};
  FakeEventTransport event{log};
  PlatformFileSystem files;
  Transcript transcript{files};
  TLineClient line;
  ConnectionController controller{view, transcript, line, event};
  OutgoingPipeline pipeline{view, transcript, controller, line, event};
};

// A line client opened to a port of 127.0.0.1, counting its disconnects.
struct OpenLineClient {
  explicit OpenLineClient(uint16_t port) {
    client.OnDisconnected = [this](TObject*) { ++disconnects; };
    client.SetHost("127.0.0.1");
    client.SetPort(port);
    client.Open();
  }

  TLineClient client;
  int disconnects = 0;
};
