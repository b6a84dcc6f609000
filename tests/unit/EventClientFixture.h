// A TEventClient on the fake platform sockets whose events are written into the call log.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/CallLog.h"
#include "fakes/FakeErrorRoute.h"
#include "fakes/FakeSockets.h"
#include "transport/Texts.h"
#include "transport/event/EventClient.h"

using Texts = std::vector<std::string>;

class EventClientFixture : public ::testing::Test {
 protected:
  EventClientFixture() {
    auto record = [this](const char* name) {
      return [this, name](TObject* sender, TAsyncSocket* socket) {
        EXPECT_EQ(sender, &client);
        EXPECT_EQ(socket, &client.Socket());
        log.Add(std::string(name) + (client.Active() ? " active" : ""));
      };
    };
    client.OnLookup = record("OnLookup");
    client.OnConnecting = record("OnConnecting");
    client.OnConnect = record("OnConnect");
    client.OnDisconnect = record("OnDisconnect");
    client.OnRead = record("OnRead");
    client.OnWrite = record("OnWrite");
    log.Clear();
  }

  // The log since the last call, cleared.
  Texts Take() {
    Texts calls = log.calls;
    log.Clear();
    return calls;
  }

  // Idle -> Connected on socket 100 at 127.0.0.1:port, log cleared.
  void Connect(int32_t port = 7) {
    client.SetHost("localhost");
    client.SetPort(port);
    client.SetActive(true);
    api->CompleteLookup(net.last_request, 0, SocketAddress{{127, 0, 0, 1}, 0});
    api->Notify(net.last_socket, socket_event::kConnect);
    log.Clear();
  }

  // What the message of the exception that call raises reads; "" when it raises nothing.
  template <typename Call>
  static std::string Raised(Call&& call) {
    try {
      call();
    } catch (const EAsyncSocketError& error) {
      return error.Message();
    }
    return std::string();
  }

  static std::string SocketError(int32_t code, std::string_view api) {
    return WindowsSocketErrorMessage(code, api);
  }

  // The platform's side and the log that its calls and the events share.
  FakeNetwork net;
  CallLog& log = net;
  FakeErrorRoute route;
  FakeSockets* api = nullptr;
  TEventClient client{nullptr, FakeSockets::Factory(net, api)};
};
