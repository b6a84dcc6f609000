// The "Server Socket" path end to end on the real platform: the connection controller, the
// outgoing pipeline and a TEventClient, with the window and the line transport faked, against
// a loopback peer. The test pumps the event loop until what it waits for has happened.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "core/ConnectionController.h"
#include "core/OutgoingPipeline.h"
#include "core/Texts.h"
#include "core/Transcript.h"
#include "fakes/CallLog.h"
#include "fakes/FakeConnectionView.h"
#include "fakes/FakeErrorRoute.h"
#include "fakes/FakeTransports.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "support/LoopbackPeer.h"
#include "transport/Texts.h"
#include "transport/event/EventClient.h"

using Texts = std::vector<std::string>;

// Runs the event loop until done() holds or timeout_ms has passed; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 5000) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    RunPendingEvents(10);
  }
  return true;
}

class EventLoopbackFixture : public ::testing::Test {
 protected:
  EventLoopbackFixture() {
    client.OnLookup = [this](TObject*, TAsyncSocket*) { Note("OnLookup"); };
    client.OnConnecting = [this](TObject*, TAsyncSocket*) { Note("OnConnecting"); };
    client.OnConnect = [this](TObject*, TAsyncSocket*) {
      Note("OnConnect");
      controller.HandleConnected();
    };
    client.OnDisconnect = [this](TObject*, TAsyncSocket*) {
      Note("OnDisconnect");
      controller.HandleDisconnected();
    };
    client.OnRead = [this](TObject*, TAsyncSocket*) {
      ++reads;
      controller.HandleChunk();
    };
    client.OnWrite = [this](TObject*, TAsyncSocket*) { Note("OnWrite"); };
    view.transport_index = ConnectionController::kEventKind;
  }

  // Events in order, each marked "+" when Active read true inside it.
  void Note(const std::string& event) { events.push_back(event + (client.Active() ? "+" : "")); }

  // Connects through the controller to address:port and waits for OnConnect.
  void ConnectTo(const std::string& address, uint16_t port) {
    view.address = address;
    view.port = port;
    controller.Connect();
    ASSERT_TRUE(PumpUntil([this] { return client.Active(); })) << "no connect";
  }

  // Connects to the peer and has it accept.
  void ConnectToPeer() {
    ConnectTo("127.0.0.1", peer.Port());
    ASSERT_TRUE(peer.Accept());
    PumpUntil([this] { return events.size() >= 4; });  // up to OnWrite
    events.clear();
  }

  void Type(const std::string& text) {
    view.message = text;
    pipeline.SendTyped();
  }

  bool TranscriptHas(const std::string& part) const {
    return transcript.Text().ToString().find(part) != std::string::npos;
  }

  // The disconnected banner for an endpoint and kind label.
  static std::string DisconnectedBanner(const std::string& endpoint, const std::string& kind) {
    return texts::kLineEnd + texts::kStatusPrefix + texts::kDisconnectedFrom + endpoint + " (" +
           kind + ");" + texts::kLineEnd + texts::kLineEnd + texts::kSeparatorLine +
           texts::kLineEnd + texts::kLineEnd;
  }

  CallLog log;
  FakeErrorRoute route;
  FakeConnectionView view{log};
  FakeLineTransport line{log};
  PlatformFileSystem files;
  Transcript transcript{files};
  LoopbackPeer peer;
  TEventClient client;
  ConnectionController controller{view, transcript, line, client};
  OutgoingPipeline pipeline{view, transcript, controller, line, client};
  Texts events;
  int reads = 0;
};
