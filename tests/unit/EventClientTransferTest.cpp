// A connected event-driven transport: reading, sending, the peer's close and reset, error
// notifications, and the end of the component. The platform is the fake, played as Windows.
#include "transport/Texts.h"
#include "unit/EventClientFixture.h"

namespace {

using namespace transport_texts;

using EventClientTransfer = EventClientFixture;

TEST_F(EventClientTransfer, AReadNotificationHandsOverWhatIsWaitingInOneReceive) {
  Connect();
  std::vector<std::string> chunks;
  client.OnRead = [&](TObject*, TAsyncSocket* socket) {
    chunks.emplace_back(socket->ReceiveString());
  };
  net.incoming = {std::string("one\r\ntwo\r\nthr\0ee\r\n", 19)};
  api->Notify(100, socket_event::kRead);
  api->Notify(100, socket_event::kRead);  // nothing waiting
  EXPECT_EQ(chunks, (Texts{std::string("one\r\ntwo\r\nthr\0ee\r\n", 19), ""}));
  EXPECT_EQ(Take(), (Texts{"recv 100 19", "recv 100 0"}));
  // Beyond the most one read takes, the rest waits for the next notification, in order.
  chunks.clear();
  const std::string flood = std::string(TAsyncSocket::kMostReceived, 'a') + "rest";
  net.incoming = {flood};
  api->Notify(100, socket_event::kRead);
  api->Notify(100, socket_event::kRead);
  EXPECT_EQ(chunks, (Texts{flood.substr(0, TAsyncSocket::kMostReceived), "rest"}));
  EXPECT_EQ(Take(),
            (Texts{"recv 100 " + std::to_string(TAsyncSocket::kMostReceived), "recv 100 4"}));
}

TEST_F(EventClientTransfer, ReceiveBytesAsksOrReadsAtMostTheCount) {
  Connect();
  net.incoming = {"abcdef"};
  TAsyncSocket& socket = client.Socket();
  EXPECT_EQ(socket.ReceiveBytes(nullptr, -1), 6);
  char buffer[4];
  EXPECT_EQ(socket.ReceiveBytes(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "abcd");
  EXPECT_EQ(socket.ReceiveString(), "ef");
}

TEST_F(EventClientTransfer, NotConnectedNothingIsSentOrReceived) {
  EXPECT_EQ(client.SendString("x"), 0);
  EXPECT_EQ(client.ReceiveString(), "");
  EXPECT_EQ(client.Socket().ReceiveBytes(nullptr, -1), 0);
  EXPECT_EQ(Take(), Texts{});
}

TEST_F(EventClientTransfer, ATextGoesOutAsItIsInOneSend) {
  Connect();
  std::string text("line\0\xFF", 6);
  EXPECT_EQ(client.SendString(text), 6);
  EXPECT_EQ(client.SendString(""), 0);
  EXPECT_EQ(net.sent, text);
  EXPECT_EQ(Take(), (Texts{"send 100 6 took 6", "send 100 0 took 0"}));
}

TEST_F(EventClientTransfer, BytesThePlatformDidNotTakeGoOutWhenItCanTakeThem) {
  Connect();
  net.send_results = {4, -10035};
  EXPECT_EQ(client.SendString("0123456789"), 4);
  EXPECT_EQ(client.Socket().UnsentBytes(), 6u);
  // Behind the waiting bytes, in order.
  EXPECT_EQ(client.SendString("AB"), -1);
  EXPECT_EQ(net.sent, "0123");
  EXPECT_EQ(Take(), (Texts{"send 100 10 took 4", "send 100 6 took -1"}));

  api->Notify(100, socket_event::kWrite);
  EXPECT_EQ(net.sent, "0123456789AB");
  EXPECT_EQ(client.Socket().UnsentBytes(), 0u);
  EXPECT_EQ(Take(), (Texts{"send 100 8 took 8", "OnWrite active"}));
}

TEST_F(EventClientTransfer, ASendThatWouldBlockReturnsMinusOneAndKeepsTheBytes) {
  Connect();
  net.send_error = 10035;
  EXPECT_EQ(client.SendString("hello"), -1);
  EXPECT_EQ(Take(), Texts{"send 100 5 took -1"});  // nothing raised, nothing fired
  net.send_error = 0;
  api->Notify(100, socket_event::kWrite);
  EXPECT_EQ(net.sent, "hello");
}

TEST_F(EventClientTransfer, UnsentBytesAreDroppedWhenTheConnectionEnds) {
  Connect();
  net.send_error = 10035;
  client.SendString("lost");
  client.SetActive(false);
  EXPECT_EQ(client.Socket().UnsentBytes(), 0u);
  net.send_error = 0;
  Connect();
  client.SendString("new");
  EXPECT_EQ(net.sent, "new");
}

TEST_F(EventClientTransfer, AFailedSendDisconnectsAndRaises) {
  Connect();
  std::vector<int> events;
  client.OnError = [&](TObject*, TAsyncSocket*, TErrorEvent event, int32_t& code) {
    events.push_back(event);
    events.push_back(code);
  };
  net.send_error = 10054;
  EXPECT_EQ(Raised([&] { client.SendString("x"); }), SocketError(10054, kApiSend));
  EXPECT_EQ(events, (std::vector<int>{errSend, 10054}));
  EXPECT_EQ(Take(), (Texts{"send 100 1 took -1", "OnDisconnect", "closesocket 100"}));
  EXPECT_FALSE(client.Active());
}

TEST_F(EventClientTransfer, AFailureWhileSendingTheRestDisconnectsAndRaises) {
  Connect();
  net.send_results = {1};
  net.send_error = 10053;
  EXPECT_EQ(Raised([&] { client.SendString("abc"); }), SocketError(10053, kApiSend));
  EXPECT_EQ(Take(),
            (Texts{"send 100 3 took 1", "send 100 2 took -1", "OnDisconnect", "closesocket 100"}));
}

TEST_F(EventClientTransfer, AFailedReceiveDisconnectsAndRaises) {
  Connect();
  net.end = FakeNetwork::End::Failed;
  EXPECT_EQ(Raised([&] { client.ReceiveString(); }), SocketError(10054, kApiReceive));
  EXPECT_EQ(Take(), (Texts{"recv 100 0", "OnDisconnect", "closesocket 100"}));
  EXPECT_FALSE(client.Active());
}

TEST_F(EventClientTransfer, ThePeersCloseDisconnectsOnceWithActiveAlreadyFalse) {
  Connect();
  client.OnDisconnect = [this](TObject*, TAsyncSocket* socket) {
    log.Add(std::string("OnDisconnect active=") + (client.Active() ? "1" : "0") + " connected=" +
            (socket->Connected() ? "1" : "0") + " open=" + (socket->Handle() == 100 ? "1" : "0"));
  };
  api->Notify(100, socket_event::kClose);
  api->Notify(100, socket_event::kClose);
  EXPECT_EQ(Take(), (Texts{"OnDisconnect active=0 connected=1 open=1", "closesocket 100"}));
  EXPECT_EQ(client.Socket().Handle(), kInvalidSocket);
  EXPECT_EQ(FakeSockets::Text(client.Socket().RemoteAddress()), "0.0.0.0:0");
  EXPECT_EQ(client.SendString("late"), 0);
}

TEST_F(EventClientTransfer, BytesWaitingAtThePeersCloseAreReadBeforeTheDisconnect) {
  Connect();
  client.OnRead = [this](TObject*, TAsyncSocket* socket) {
    log.Add("OnRead " + std::string(socket->ReceiveString()));
  };
  net.incoming = {"last words\r\n"};
  api->Notify(100, socket_event::kClose);
  EXPECT_EQ(Take(),
            (Texts{"recv 100 12", "OnRead last words\r\n", "OnDisconnect", "closesocket 100"}));
}

TEST_F(EventClientTransfer, AReaderThatTakesNothingDoesNotHoldUpTheClose) {
  Connect();
  client.OnRead = nullptr;
  net.incoming = {"unread"};
  api->Notify(100, socket_event::kClose);
  EXPECT_EQ(Take(), (Texts{"OnDisconnect", "closesocket 100"}));
}

TEST_F(EventClientTransfer, AResetRaisesAndLeavesTheConnectionActiveUntilDisconnected) {
  Connect();
  std::vector<int> events;
  client.OnError = [&](TObject*, TAsyncSocket*, TErrorEvent event, int32_t&) {
    events.push_back(event);
  };
  EXPECT_EQ(Raised([&] { api->Notify(100, socket_event::kClose, 10054); }),
            AsynchronousSocketErrorMessage(10054));
  EXPECT_EQ(events, std::vector<int>{errDisconnect});
  EXPECT_EQ(Take(), Texts{});
  EXPECT_TRUE(client.Active());
  client.SetActive(false);
  EXPECT_EQ(Take(), (Texts{"OnDisconnect", "closesocket 100"}));
}

TEST_F(EventClientTransfer, ErrorNotificationsMapToTheirOperationAndGoNoFurther) {
  Connect();
  const std::pair<int, TErrorEvent> table[] = {
      {socket_event::kConnect, errConnect}, {socket_event::kClose, errDisconnect},
      {socket_event::kRead, errReceive},    {socket_event::kWrite, errSend},
      {socket_event::kAccept, errAccept},   {0x04, errGeneral},
  };
  for (const auto& [event, expected] : table) {
    TErrorEvent seen = errGeneral;
    int32_t replace = 0;
    client.OnError = [&](TObject*, TAsyncSocket*, TErrorEvent error_event, int32_t& code) {
      seen = error_event;
      if (replace != 0) code = replace;
    };
    EXPECT_EQ(Raised([&] { api->Notify(100, event, 10053); }),
              AsynchronousSocketErrorMessage(10053));
    EXPECT_EQ(seen, expected) << event;
    replace = 10060;  // the handler's code is the one raised
    EXPECT_EQ(Raised([&] { api->Notify(100, event, 10053); }),
              AsynchronousSocketErrorMessage(10060));
  }
  client.OnError = [](TObject*, TAsyncSocket*, TErrorEvent, int32_t& code) { code = 0; };
  EXPECT_EQ(Raised([&] { api->Notify(100, socket_event::kRead, 10054); }), "");
  EXPECT_EQ(Take(), Texts{});
  EXPECT_TRUE(client.Active());
}

// A failure while the connection is dropped (the reader running out of memory on the bytes
// before the peer's close, OnDisconnect raising, closesocket failing) is raised, but the
// connection is gone all the same: a new connect starts, and a disconnect has nothing to do.
TEST_F(EventClientTransfer, AFailureDuringTheDropStillDropsTheConnection) {
  struct Row {
    const char* name;
    bool read_fails, disconnect_fails;
    int close_error;
    bool peer_closes;
  };
  const Row rows[] = {
      {"reader fails at the close", true, false, 0, true},
      {"OnDisconnect fails at the close", false, true, 0, true},
      {"OnDisconnect fails at a disconnect", false, true, 0, false},
      {"closesocket fails at the close", false, false, 10038, true},
      {"closesocket fails at a disconnect", false, false, 10038, false},
  };
  for (const Row& row : rows) {
    Connect();
    ASSERT_TRUE(client.Active()) << "before " << row.name;
    const SocketHandle handle = client.Socket().Handle();
    client.OnRead = [&](TObject*, TAsyncSocket* socket) {
      socket->ReceiveString();
      if (row.read_fails) throw std::bad_alloc();
    };
    client.OnDisconnect = [&](TObject*, TAsyncSocket*) {
      log.Add("OnDisconnect");
      if (row.disconnect_fails) throw EAsyncSocketError("handler");
    };
    net.incoming = {"flood"};
    net.close_error = row.close_error;
    std::string raised;
    try {
      if (row.peer_closes) {
        api->Notify(handle, socket_event::kClose);
      } else {
        client.SetActive(false);
      }
    } catch (const std::bad_alloc&) {
      raised = "bad_alloc";
    } catch (const EAsyncSocketError& e) {
      raised = e.Message();
    }
    const std::string expected = row.read_fails         ? "bad_alloc"
                                 : row.disconnect_fails ? "handler"
                                                        : SocketError(10038, kApiCloseSocket);
    EXPECT_EQ(raised, expected) << row.name;
    EXPECT_EQ(Take().back(), "closesocket " + std::to_string(handle)) << row.name;
    EXPECT_FALSE(client.Active()) << row.name;
    EXPECT_FALSE(client.Socket().Connected()) << row.name;
    EXPECT_EQ(client.Socket().Handle(), kInvalidSocket) << row.name;
    net.close_error = 0;
    net.incoming.clear();
  }
  Connect();
  EXPECT_TRUE(client.Active());
}

TEST_F(EventClientTransfer, ANotificationInsideAnotherIsHandledInside) {
  Connect();
  client.OnRead = [this](TObject*, TAsyncSocket* socket) {
    log.Add("OnRead " + std::string(socket->ReceiveString()));
    api->Notify(100, socket_event::kClose);  // a nested loop delivering the close
    log.Add("after close " + std::to_string(socket->ReceiveString().size()));
  };
  net.incoming = {"x"};
  api->Notify(100, socket_event::kRead);
  EXPECT_EQ(Take(),
            (Texts{"recv 100 1", "OnRead x", "OnDisconnect", "closesocket 100", "after close 0"}));
}

TEST_F(EventClientTransfer, ASendInsideOnDisconnectThatFailsClosesOnce) {
  Connect();
  net.send_error = 10054;
  client.OnDisconnect = [this](TObject*, TAsyncSocket* socket) {
    log.Add("OnDisconnect");
    socket->SendString("bye");
  };
  EXPECT_EQ(Raised([&] { api->Notify(100, socket_event::kClose); }), SocketError(10054, kApiSend));
  EXPECT_EQ(Take(), (Texts{"OnDisconnect", "send 100 3 took -1", "closesocket 100"}));
  EXPECT_EQ(client.Socket().Handle(), kInvalidSocket);
}

TEST_F(EventClientTransfer, DestroyingAConnectedClientClosesWithoutOnDisconnect) {
  FakeNetwork calls;
  FakeSockets* made = nullptr;
  auto other = std::make_unique<TEventClient>(nullptr, FakeSockets::Factory(calls, made));
  other->OnDisconnect = [&](TObject*, TAsyncSocket*) { calls.Add("OnDisconnect"); };
  other->SetAddress("127.0.0.1");
  other->SetActive(true);
  made->Notify(100, socket_event::kConnect);
  calls.Clear();
  other.reset();
  EXPECT_EQ(calls.calls, (Texts{"closesocket 100", "WSACleanup"}));
}

TEST_F(EventClientTransfer, DestroyingDuringALookupCancelsItAndClosesTheSocket) {
  FakeNetwork calls;
  FakeSockets* made = nullptr;
  auto other = std::make_unique<TEventClient>(nullptr, FakeSockets::Factory(calls, made));
  other->SetHost("localhost");
  other->SetActive(true);
  calls.Clear();
  other.reset();
  EXPECT_EQ(calls.calls, (Texts{"cancel #1", "closesocket 100", "WSACleanup"}));
}

}  // namespace
