// Opening a connection on the event-driven transport: the look-up and connect steps, their
// failures, new attempts and notifications of attempts given up. The platform is the fake, and
// the test plays its notifications.
#include "transport/Texts.h"
#include "unit/EventClientFixture.h"

namespace {

using namespace transport_texts;

using EventClientConnect = EventClientFixture;

constexpr SocketAddress kLoopback{{127, 0, 0, 1}, 0};

TEST_F(EventClientConnect, AHostIsLookedUpAndTheConnectFollowsItsCompletion) {
  client.SetHost("LocalHost");
  client.SetPort(2000);
  client.SetActive(true);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "lookup host LocalHost #1"}));
  EXPECT_FALSE(client.Active());
  EXPECT_EQ(client.Socket().Lookup(), lookupAddress);

  api->CompleteLookup(1, 0, kLoopback);
  EXPECT_EQ(Take(), (Texts{"asyncselect 100 51", "OnConnecting", "connect 100 127.0.0.1:2000"}));
  EXPECT_FALSE(client.Active());
  EXPECT_EQ(client.Socket().Lookup(), lookupIdle);

  api->Notify(100, socket_event::kConnect);
  api->Notify(100, socket_event::kWrite);
  EXPECT_EQ(Take(), (Texts{"OnConnect active", "OnWrite active"}));
  EXPECT_TRUE(client.Socket().Connected());
}

TEST_F(EventClientConnect, ADottedHostIsLookedUpToo) {
  client.SetHost("127.0.0.1");
  client.SetActive(true);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "lookup host 127.0.0.1 #1"}));
}

TEST_F(EventClientConnect, AnAddressAloneConnectsWithoutALookup) {
  client.SetAddress("10.1.2.3");
  client.SetPort(80);
  client.SetActive(true);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "asyncselect 100 51", "OnConnecting",
                           "connect 100 10.1.2.3:80"}));
}

TEST_F(EventClientConnect, AnAddressIsTakenWithoutAValidityTest) {
  client.SetAddress("not an address");
  client.SetActive(true);
  EXPECT_EQ(Take().back(), "connect 100 255.255.255.255:0");
}

TEST_F(EventClientConnect, OnlyTheLow16BitsOfThePortAreUsed) {
  client.SetAddress("127.0.0.1");
  client.SetPort(70000);
  client.SetActive(true);
  EXPECT_EQ(Take().back(), "connect 100 127.0.0.1:4464");
  client.SetPort(65536);  // not active yet: the connect is still pending
  client.SetActive(true);
  EXPECT_EQ(Take().back(), "connect 101 127.0.0.1:0");
}

TEST_F(EventClientConnect, AServiceIsLookedUpAfterTheHost) {
  client.SetHost("server");
  client.SetService("smtp");
  client.SetPort(1);
  client.SetActive(true);
  api->CompleteLookup(1, 0, kLoopback);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "lookup host server #1",
                           "lookup service smtp #2"}));
  EXPECT_EQ(client.Socket().Lookup(), lookupService);
  api->CompleteLookup(2, 0, SocketAddress{{}, 0x1900});  // 25 in network byte order
  EXPECT_EQ(Take(), (Texts{"asyncselect 100 51", "OnConnecting", "connect 100 127.0.0.1:25"}));
}

TEST_F(EventClientConnect, NoHostAndNoAddressDisconnectsAndRaises) {
  int32_t seen = 0;
  client.OnError = [&](TObject*, TAsyncSocket*, TErrorEvent event, int32_t& code) {
    log.Add("OnError " + std::to_string(event) + " " + std::to_string(code));
    seen = code;
  };
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), kNoAddressSpecified);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "OnError 6 1110", "OnDisconnect",
                           "closesocket 100"}));
  EXPECT_EQ(seen, 1110);
  EXPECT_FALSE(client.Active());
  EXPECT_EQ(client.Socket().Handle(), kInvalidSocket);
}

TEST_F(EventClientConnect, AnErrorHandlerThatClearsTheCodeStopsTheRaiseButNotTheDrop) {
  client.OnError = [](TObject*, TAsyncSocket*, TErrorEvent, int32_t& code) { code = 0; };
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), "");
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "OnDisconnect", "closesocket 100"}));
}

TEST_F(EventClientConnect, ASocketThatCannotBeCreatedRaisesAndFiresNothing) {
  net.socket_fails = true;
  client.SetHost("localhost");
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), kCantCreateSocket);
  EXPECT_EQ(Take(), Texts{"socket 1 0 failed"});
}

TEST_F(EventClientConnect, AFailedHostLookupDisconnectsAndRaisesWithTheSystemText) {
  std::vector<int> events;
  client.OnError = [&](TObject*, TAsyncSocket*, TErrorEvent event, int32_t& code) {
    events.push_back(event);
    events.push_back(code);
  };
  client.SetHost("nohost.invalid");
  client.SetActive(true);
  Take();
  EXPECT_EQ(Raised([&] { api->CompleteLookup(1, 11001); }),
            WindowsSocketErrorMessage(11001, kApiAsyncLookup));
  EXPECT_EQ(events, (std::vector<int>{errLookup, 11001}));
  EXPECT_EQ(Take(), (Texts{"OnDisconnect", "closesocket 100"}));
  EXPECT_FALSE(client.Active());
  EXPECT_EQ(client.Socket().Lookup(), lookupIdle);
  // The next attempt looks the host up again.
  client.SetActive(true);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #101", "OnLookup", "lookup host nohost.invalid #2"}));
}

TEST_F(EventClientConnect, AServiceThatIsNotFoundDisconnectsAndRaises) {
  client.SetHost("server");
  client.SetService("no-such-service");
  client.SetActive(true);
  api->CompleteLookup(1, 0, kLoopback);
  Take();
  EXPECT_EQ(Raised([&] { api->CompleteLookup(2, 11004); }), SocketError(11004, kApiAsyncLookup));
  EXPECT_EQ(Take(), (Texts{"OnDisconnect", "closesocket 100"}));
}

TEST_F(EventClientConnect, ALookupThatCannotBeRequestedDisconnectsAndRaises) {
  net.request_error = 10093;
  client.SetHost("localhost");
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), SocketError(10093, kApiGetHostByName));
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "lookup host localhost failed",
                           "OnDisconnect", "closesocket 100"}));

  net.request_error = 0;
  client.SetService("smtp");
  client.SetActive(true);
  net.request_error = 10093;
  EXPECT_EQ(Raised([&] { api->CompleteLookup(net.last_request, 0, kLoopback); }),
            SocketError(10093, kApiGetServByName));
  EXPECT_EQ(Take().back(), "closesocket 101");
}

TEST_F(EventClientConnect, AConnectThatFailsAtOnceDisconnectsAndRaises) {
  net.connect_error = 10049;
  client.SetAddress("0.0.0.0");
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), SocketError(10049, kApiConnect));
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "asyncselect 100 51", "OnConnecting",
                           "connect 100 0.0.0.0:0", "OnDisconnect", "closesocket 100"}));
}

TEST_F(EventClientConnect, NotificationsThatCannotBeSetUpFailTheConnect) {
  net.window_fails = true;
  client.SetAddress("127.0.0.1");
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), SocketError(wsa::kENOBUFS, kApiConnect));
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnLookup", "asyncselect 100 51", "OnDisconnect",
                           "closesocket 100"}));
  EXPECT_FALSE(client.Active());
}

TEST_F(EventClientConnect, ARefusedConnectRaisesAndTheNextActivationStartsOnANewSocket) {
  std::vector<int> events;
  client.OnError = [&](TObject*, TAsyncSocket*, TErrorEvent event, int32_t&) {
    events.push_back(event);
  };
  client.SetAddress("127.0.0.1");
  client.SetActive(true);
  Take();
  EXPECT_EQ(Raised([&] { api->Notify(100, socket_event::kConnect, 10061); }),
            AsynchronousSocketErrorMessage(10061));
  EXPECT_EQ(events, std::vector<int>{errConnect});
  EXPECT_EQ(Take(), Texts{});  // neither OnConnect nor OnDisconnect
  EXPECT_FALSE(client.Active());

  client.SetActive(true);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #101", "closesocket 100", "OnLookup", "asyncselect 101 51",
                           "OnConnecting", "connect 101 127.0.0.1:0"}));
}

TEST_F(EventClientConnect, ActivatingWhileALookupIsPendingStartsANewAttempt) {
  client.SetHost("first");
  client.SetActive(true);
  Take();
  client.SetActive(true);
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #101", "closesocket 100", "cancel #1", "OnLookup",
                           "lookup host first #2"}));
  // The cancelled request still completes (as under Wine): ignored.
  api->CompleteLookup(1, 0, kLoopback);
  api->CompleteLookup(1, 11001);
  EXPECT_EQ(Take(), Texts{});
  api->CompleteLookup(2, 0, kLoopback);
  EXPECT_EQ(Take(), (Texts{"asyncselect 101 51", "OnConnecting", "connect 101 127.0.0.1:0"}));
}

TEST_F(EventClientConnect, NotificationsOfAnAbandonedAttemptAreIgnored) {
  client.SetAddress("127.0.0.1");
  client.SetActive(true);
  client.SetActive(true);  // a second attempt while the first connect is pending
  Take();
  for (int event :
       {socket_event::kConnect, socket_event::kRead, socket_event::kWrite, socket_event::kClose}) {
    api->Notify(100, event);
  }
  EXPECT_EQ(Take(), Texts{});
  EXPECT_FALSE(client.Socket().Connected());
  // An error notification of it is still raised: the error carries no handle test.
  EXPECT_EQ(Raised([&] { api->Notify(100, socket_event::kConnect, 10061); }),
            AsynchronousSocketErrorMessage(10061));
  api->Notify(101, socket_event::kConnect);
  EXPECT_EQ(Take(), Texts{"OnConnect active"});
}

TEST_F(EventClientConnect, InactiveWhilePendingDoesNothingAndTheAttemptGoesOn) {
  client.SetHost("localhost");
  client.SetActive(true);
  Take();
  client.SetActive(false);
  EXPECT_EQ(Take(), Texts{});
  api->CompleteLookup(1, 0, kLoopback);
  api->Notify(100, socket_event::kConnect);
  EXPECT_EQ(Take(), (Texts{"asyncselect 100 51", "OnConnecting", "connect 100 127.0.0.1:0",
                           "OnConnect active"}));
}

TEST_F(EventClientConnect, AnExceptionFromOnLookupDropsTheSocketOnce) {
  client.SetHost("localhost");
  client.OnLookup = [](TObject*, TAsyncSocket*) { throw EAsyncSocketError("from OnLookup"); };
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), "from OnLookup");
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #100", "OnDisconnect", "closesocket 100"}));
}

TEST_F(EventClientConnect, ACancelThatFailsRaises) {
  client.SetHost("localhost");
  client.SetActive(true);
  net.cancel_error = 10022;
  Take();
  EXPECT_EQ(Raised([&] { client.SetActive(true); }), SocketError(10022, kApiCancelRequest));
  EXPECT_EQ(Take(), (Texts{"socket 1 0 #101", "closesocket 100", "cancel #1", "OnDisconnect",
                           "closesocket 101"}));
}

TEST_F(EventClientConnect, OpeningAConnectedSocketObjectRaises) {
  Connect();
  EXPECT_EQ(Raised([&] { client.Socket().OpenSocket("h", "", "", 1, false); }), kSocketAlreadyOpen);
}

TEST_F(EventClientConnect, DisconnectingInsideOnConnectIgnoresTheLaterWriteNotification) {
  client.SetAddress("127.0.0.1");
  client.SetActive(true);
  client.OnConnect = [this](TObject*, TAsyncSocket*) {
    log.Add("OnConnect");
    client.SetActive(false);
  };
  Take();
  api->Notify(100, socket_event::kConnect);
  api->Notify(100, socket_event::kWrite);
  EXPECT_EQ(Take(), (Texts{"OnConnect", "OnDisconnect", "closesocket 100"}));
}

}  // namespace
