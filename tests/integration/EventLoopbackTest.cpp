// The event-driven transport driven by the connection controller against a loopback peer, on the
// platform's own notifications (the hidden window on Windows, the poll loop on POSIX).
#include "integration/EventLoopbackFixture.h"
#include "platform/SystemErrorText.h"
#include "transport/Texts.h"

namespace {

using namespace transport_texts;

using EventLoopback = EventLoopbackFixture;

TEST_F(EventLoopback, ConnectsAsynchronouslyWithItsEventsInOrder) {
  view.address = "127.0.0.1";
  view.port = peer.Port();
  controller.Connect();
  EXPECT_EQ(events, Texts{"OnLookup"});  // the look-up is under way when Connect returns
  EXPECT_FALSE(client.Active());
  ASSERT_TRUE(PumpUntil([this] { return events.size() >= 4; }));
  EXPECT_EQ(events, (Texts{"OnLookup", "OnConnecting", "OnConnect+", "OnWrite+"}));
  EXPECT_EQ(controller.KindLabel(), "Server Socket");
  EXPECT_EQ(controller.EndpointLabel(), "127.0.0.1:" + std::to_string(peer.Port()));
  EXPECT_TRUE(TranscriptHas("!// " + texts::kConnectedWith +
                            "127.0.0.1:" + std::to_string(peer.Port()) + " (Server Socket);\r\n"));
  EXPECT_TRUE(peer.Accept());
}

TEST_F(EventLoopback, AHostNameIsResolvedByTheAsynchronousLookUp) {
  ConnectTo("localhost", peer.Port());
  EXPECT_EQ(controller.EndpointLabel(), "localhost:" + std::to_string(peer.Port()));
}

TEST_F(EventLoopback, AnEmptyAddressDisconnectsAndRaisesFromConnect) {
  view.address = "";
  view.port = peer.Port();
  try {
    controller.Connect();
    FAIL() << "no error";
  } catch (const EAsyncSocketError& error) {
    EXPECT_EQ(error.Message(), kNoAddressSpecified);
  }
  EXPECT_EQ(events, (Texts{"OnLookup", "OnDisconnect"}));
  EXPECT_EQ(transcript.Text().ToString(), DisconnectedBanner("", texts::kNoConnection));
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kNoKind);
  EXPECT_TRUE(view.address_history.Contains(""));
}

TEST_F(EventLoopback, AnUnresolvableNameDisconnectsLaterWithTheLookUpError) {
  view.address = "zirk-test.invalid";
  view.port = peer.Port();
  controller.Connect();
  EXPECT_EQ(events, Texts{"OnLookup"});
  ASSERT_TRUE(PumpUntil([this] { return !route.messages.empty(); }, 30000));
  EXPECT_EQ(events, (Texts{"OnLookup", "OnDisconnect"}));
  EXPECT_EQ(route.messages, Texts{WindowsSocketErrorMessage(11001, kApiAsyncLookup)});
  EXPECT_EQ(route.senders, std::vector<TObject*>{&client.Socket()});
  EXPECT_EQ(transcript.Text().ToString(), DisconnectedBanner("", texts::kNoConnection));
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kNoKind);
}

TEST_F(EventLoopback, ARefusedPortRaisesAndTheNextConnectStartsAfresh) {
  view.address = "127.0.0.1";
  view.port = LoopbackPeer::RefusedPort();
  controller.Connect();
  ASSERT_TRUE(PumpUntil([this] { return !route.messages.empty(); }));
  EXPECT_EQ(route.messages, Texts{AsynchronousSocketErrorMessage(10061)});
  EXPECT_EQ(events, (Texts{"OnLookup", "OnConnecting"}));
  EXPECT_EQ(transcript.Text().ToString(), "");
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kEventKind);
  EXPECT_FALSE(view.Enabled(ConnectionControl::DisconnectButton));
  SocketHandle failed = client.Socket().Handle();

  ConnectTo("127.0.0.1", peer.Port());
  EXPECT_NE(client.Socket().Handle(), failed);
  EXPECT_EQ(route.messages.size(), 1u);
}

TEST_F(EventLoopback, ThePeersCloseDisconnectsOnceWithActiveFalseInside) {
  ConnectToPeer();
  bool open_inside = false;
  client.OnDisconnect = [&](TObject*, TAsyncSocket* socket) {
    Note("OnDisconnect");
    open_inside = socket->Handle() != kInvalidSocket && socket->Connected();
    controller.HandleDisconnected();
  };
  peer.Close();
  ASSERT_TRUE(PumpUntil([this] { return !events.empty(); }));
  PumpUntil([] { return false; }, 100);  // a second one would show here
  EXPECT_EQ(events, Texts{"OnDisconnect"});
  EXPECT_TRUE(open_inside);
  EXPECT_EQ(client.Socket().Handle(), kInvalidSocket);
  EXPECT_EQ(client.SendString("late"), 0);
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kNoKind);
  EXPECT_TRUE(route.messages.empty());
}

TEST_F(EventLoopback, ThreeLinesInOneSegmentArriveAsOneChunk) {
  ConnectToPeer();
  transcript.Clear();
  peer.Send("one\r\ntwo\nthree\r\n");
  ASSERT_TRUE(PumpUntil([this] { return reads > 0; }));
  EXPECT_EQ(transcript.Text().ToString(), "> one\r\ntwo\nthree\r\n\r\n");
  EXPECT_EQ(reads, 1);
}

TEST_F(EventLoopback, ThePeersLastWordsBeforeItsCloseReachTheTranscript) {
  ConnectToPeer();
  transcript.Clear();
  peer.Send("bye\r\n");
  peer.Close();
  ASSERT_TRUE(PumpUntil([this] { return controller.TransportKind() == 3; }));
  std::string endpoint = "127.0.0.1:" + std::to_string(peer.Port());
  EXPECT_EQ(transcript.Text().ToString(),
            "> bye\r\n\r\n" + DisconnectedBanner(endpoint, "Server Socket"));
}

TEST_F(EventLoopback, ConnectingAgainWhileTheLookUpIsPendingConnectsOnce) {
  view.address = "localhost";
  view.port = peer.Port();
  controller.Connect();
  controller.Connect();
  controller.Connect();
  EXPECT_EQ(events, (Texts{"OnLookup", "OnLookup", "OnLookup"}));
  ASSERT_TRUE(PumpUntil([this] { return client.Active(); }));
  ASSERT_TRUE(peer.Accept());
  // Completions of the cancelled look-ups may still come in; they change nothing.
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(events,
            (Texts{"OnLookup", "OnLookup", "OnLookup", "OnConnecting", "OnConnect+", "OnWrite+"}));
  EXPECT_TRUE(route.messages.empty());
}

TEST_F(EventLoopback, ConnectingAgainWhileTheConnectIsPendingUsesTheNewSocket) {
  client.SetAddress("127.0.0.1");  // no look-up: the connect is issued at once
  view.address = "";
  view.port = peer.Port();
  controller.Connect();
  SocketHandle first = client.Socket().Handle();
  controller.Connect();
  EXPECT_NE(client.Socket().Handle(), first);
  ASSERT_TRUE(PumpUntil([this] { return client.Active(); }));
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(events, (Texts{"OnLookup", "OnConnecting", "OnLookup", "OnConnecting", "OnConnect+",
                           "OnWrite+"}));
}

TEST_F(EventLoopback, InactiveWhilePendingDoesNothingAndTheConnectFollows) {
  view.address = "localhost";
  view.port = peer.Port();
  controller.Connect();
  client.SetActive(false);
  EXPECT_EQ(events, Texts{"OnLookup"});
  ASSERT_TRUE(PumpUntil([this] { return client.Active(); }));
  EXPECT_EQ(controller.KindLabel(), "Server Socket");
}

TEST_F(EventLoopback, DisconnectClosesTheConnection) {
  ConnectToPeer();
  controller.Disconnect();
  EXPECT_EQ(events, Texts{"OnDisconnect"});
  EXPECT_TRUE(peer.WaitForClose());
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kNoKind);
}

TEST_F(EventLoopback, APeerThatStallsGetsALargeSendOnceItReads) {
  ConnectToPeer();
  std::string large(8 << 20, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>('a' + i % 23);
  Type(large);
  EXPECT_GT(client.Socket().UnsentBytes(), 0u);  // the peer has not read yet
  std::string received;
  ASSERT_TRUE(PumpUntil(
      [&] {
        received += peer.Receive(large.size() - received.size(), 10);
        return received.size() == large.size();
      },
      30000));
  EXPECT_TRUE(received == large);
  EXPECT_EQ(client.Socket().UnsentBytes(), 0u);
  EXPECT_TRUE(transcript.Text().ToString().ends_with(large.substr(large.size() - 5) + "\r\n"));
}

}  // namespace

namespace {

TEST_F(EventLoopback, AnErrorInsideANotificationGoesToTheErrorRouteAndTheLoopGoesOn) {
  client.OnConnect = [this](TObject*, TAsyncSocket*) {
    Note("OnConnect");
    throw Exception("handler failed");
  };
  view.address = "127.0.0.1";
  view.port = peer.Port();
  controller.Connect();
  ASSERT_TRUE(PumpUntil([this] { return events.size() >= 4; }));
  EXPECT_EQ(events, (Texts{"OnLookup", "OnConnecting", "OnConnect+", "OnWrite+"}));
  EXPECT_EQ(route.messages, Texts{"handler failed"});
  EXPECT_EQ(route.senders, std::vector<TObject*>{&client.Socket()});
}

}  // namespace
