// The line client over a fake socket layer with Windows' behaviour: opening and its failure
// guard, closing, writing, and what each reports in which order.
#include "transport/line/LineClient.h"

#include <gtest/gtest.h>

#include "core/Format.h"
#include "fakes/FakeSockets.h"
#include "transport/Texts.h"
#include "transport/line/NetErrors.h"

namespace {

using namespace transport_texts;

using Strings = std::vector<std::string>;

class LineClientTest : public ::testing::Test {
 protected:
  LineClientTest() {
    client.OnConnected = [this](TObject* sender) {
      EXPECT_EQ(sender, &client);
      events.push_back("OnConnected");
    };
    client.OnDisconnected = [this](TObject* sender) {
      EXPECT_EQ(sender, &client);
      events.push_back("OnDisconnected");
    };
    client.OnStatus = [this](TObject* sender, TLineStatus status, const std::string& text) {
      EXPECT_EQ(sender, &client);
      events.push_back(std::to_string(static_cast<int>(status)) + " " + text);
    };
    net.calls.clear();  // the stack's start
  }

  void OpenTo(const std::string& host, int32_t port) {
    client.SetHost(host);
    client.SetPort(port);
    client.Open();
  }

  // Opens to 127.0.0.1:244 and forgets what that recorded.
  void OpenQuietly() {
    OpenTo("127.0.0.1", 244);
    events.clear();
    net.calls.clear();
  }

  // A status report as the handler records it.
  static std::string Status(TLineStatus status, const std::string& argument = "") {
    return std::to_string(static_cast<int>(status)) + " " +
           Format(LineStatusPattern(status), {argument});
  }

  FakeNetwork net;
  FakeSocketsScope scope{net};
  TLineClient client;
  Strings events;
};

TEST_F(LineClientTest, InitialProperties) {
  EXPECT_EQ(client.Host(), "");
  EXPECT_EQ(client.Port(), 0);
  EXPECT_EQ(client.BoundIP(), "");
  EXPECT_TRUE(client.UseNagle());
  EXPECT_EQ(client.ProxyInfo().Version, TProxyVersion::pvNone);
  EXPECT_EQ(client.ProxyInfo().Authentication, TProxyAuthentication::paNone);
  EXPECT_EQ(client.ProxyInfo().Port, 0);
  EXPECT_EQ(client.RecvBufferSize(), 32768);
  EXPECT_EQ(client.SendBufferSize(), 32768);
  EXPECT_FALSE(client.ASCIIFilter());
  EXPECT_EQ(client.Intercept(), nullptr);
  EXPECT_FALSE(client.InterceptEnabled());
  EXPECT_FALSE(client.IsOpen());
  EXPECT_FALSE(client.PeerClosed());
  EXPECT_FALSE(client.LineTimedOut());
}

TEST_F(LineClientTest, OpensAnAddressWithoutLookingItUp) {
  OpenTo("127.0.0.1", 244);
  EXPECT_EQ(net.calls,
            (Strings{"socket 1 0 #100", "bind 100 0.0.0.0:0", "connect 100 127.0.0.1:244"}));
  EXPECT_EQ(events, (Strings{Status(TLineStatus::stConnecting, "127.0.0.1"),
                             Status(TLineStatus::stConnected), "OnConnected"}));
  EXPECT_TRUE(client.IsOpen());
  EXPECT_EQ(client.Link().RemoteIP(), "127.0.0.1");
  EXPECT_EQ(client.Link().RemotePort(), 244);
  EXPECT_EQ(client.Link().Port(), 49152);
}

TEST_F(LineClientTest, OpensNamesAndLocalhostInAnyCase) {
  OpenTo("LocalHost", 7);
  EXPECT_EQ(net.calls,
            (Strings{"socket 1 0 #100", "bind 100 0.0.0.0:0", "connect 100 127.0.0.1:7"}));
  EXPECT_EQ(events, (Strings{Status(TLineStatus::stResolving, "LocalHost"),
                             Status(TLineStatus::stConnecting, "127.0.0.1"),
                             Status(TLineStatus::stConnected), "OnConnected"}));
  client.Close();

  net.hosts["example.org"] = {192, 0, 2, 9};
  net.calls.clear();
  events.clear();
  OpenTo("example.org", 7);
  EXPECT_EQ(net.calls, (Strings{"socket 1 0 #101", "bind 101 0.0.0.0:0",
                                "gethostbyname example.org", "connect 101 192.0.2.9:7"}));
  EXPECT_EQ(events.front(), Status(TLineStatus::stResolving, "example.org"));
  EXPECT_EQ(client.Host(), "example.org") << "the host stays as it was set";
}

TEST_F(LineClientTest, OpenWhileOpenChangesNothing) {
  OpenQuietly();
  try {
    client.Open();
    FAIL() << "no error";
  } catch (const EAlreadyConnected& e) {
    EXPECT_EQ(e.Message(), kAlreadyConnected);
  }
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(net.calls.empty());
  EXPECT_TRUE(client.IsOpen());
  client.WriteLine("still here");
  EXPECT_EQ(net.sent, "still here\r\n");
}

TEST_F(LineClientTest, RefusedConnectClosesFirstThenRaises) {
  net.connect_error = 10061;
  try {
    OpenTo("127.0.0.1", 244);
    FAIL() << "no error";
  } catch (const ENetSocketError& e) {
    EXPECT_EQ(e.ErrorCode(), 10061);
    EXPECT_EQ(e.Message(), SocketErrorMessage(10061));
    EXPECT_EQ(events.back(), "OnDisconnected") << "the disconnect runs before the error";
  }
  EXPECT_EQ(events, (Strings{Status(TLineStatus::stConnecting, "127.0.0.1"),
                             Status(TLineStatus::stDisconnecting, "127.0.0.1"),
                             Status(TLineStatus::stDisconnected), "OnDisconnected"}));
  EXPECT_EQ(net.calls, (Strings{"socket 1 0 #100", "bind 100 0.0.0.0:0",
                                "connect 100 127.0.0.1:244", "shutdown 100 1", "closesocket 100"}));
  EXPECT_FALSE(client.IsOpen());

  net.connect_error = 0;
  events.clear();
  client.Open();
  EXPECT_TRUE(client.IsOpen());
  EXPECT_EQ(events.back(), "OnConnected");
}

TEST_F(LineClientTest, FailuresUnderTheGuard) {
  struct Row {
    const char* name;
    std::function<void()> script;
    std::string host;
    std::string remote;  // the address the disconnect report names
    std::string message;
  };
  const Row rows[] = {
      {"unknown name", [] {}, "nowhere.invalid", "", SocketErrorMessage(11001)},
      {"address in use", [this] { net.bind_error = 10048; }, "127.0.0.1", "", kCouldNotBindSocket},
      {"bind failed", [this] { net.bind_error = 10049; }, "127.0.0.1", "",
       SocketErrorMessage(10049)},
      {"time-out", [this] { net.connect_error = 10060; }, "127.0.0.1", "127.0.0.1",
       SocketErrorMessage(10060)},
      {"no route", [this] { net.connect_error = 10065; }, "127.0.0.1", "127.0.0.1",
       SocketErrorMessage(10065)},
      {"option",
       [this] {
         client.SetUseNagle(false);
         net.option_error = 10042;
       },
       "127.0.0.1", "127.0.0.1", SocketErrorMessage(10042)},
  };
  for (const Row& row : rows) {
    net.bind_error = net.connect_error = net.option_error = 0;
    client.SetUseNagle(true);
    events.clear();
    row.script();
    try {
      OpenTo(row.host, 80);
      ADD_FAILURE() << row.name << ": no error";
    } catch (const ENetError& e) {
      EXPECT_EQ(e.Message(), row.message) << row.name;
    }
    ASSERT_GE(events.size(), 3u) << row.name;
    EXPECT_EQ(Strings(events.end() - 3, events.end()),
              (Strings{Status(TLineStatus::stDisconnecting, row.remote),
                       Status(TLineStatus::stDisconnected), "OnDisconnected"}))
        << row.name;
    EXPECT_EQ(net.calls.back(), "closesocket " + std::to_string(net.last_socket)) << row.name;
    EXPECT_FALSE(client.IsOpen()) << row.name;
  }
}

TEST_F(LineClientTest, NoSocketRaisesWithoutCallbacks) {
  net.socket_fails = true;
  try {
    OpenTo("127.0.0.1", 244);
    FAIL() << "no error";
  } catch (const EInvalidSocket& e) {
    EXPECT_EQ(e.Message(), kCannotAllocateSocket);
  }
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(client.IsOpen());
  EXPECT_FALSE(client.PeerClosed());
}

TEST_F(LineClientTest, NagleOffSetsTheOption) {
  client.SetUseNagle(false);
  OpenTo("127.0.0.1", 244);
  EXPECT_EQ(net.calls, (Strings{"socket 1 0 #100", "bind 100 0.0.0.0:0", "option 100 6 1",
                                "connect 100 127.0.0.1:244"}));
  EXPECT_EQ(net.option_values, std::vector<int32_t>{1});
}

TEST_F(LineClientTest, OnlyTheLow16BitsOfThePortReachThePlatform) {
  const std::pair<int32_t, uint16_t> rows[] = {
      {65536, 0}, {-1, 65535}, {65536 + 244, 244}, {-65536 + 244, 244}, {0x7FFFFFFF, 65535}};
  for (auto [port, reached] : rows) {
    OpenTo("127.0.0.1", port);
    EXPECT_EQ(NetworkToHostOrder(net.connected.port), reached) << port;
    EXPECT_EQ(client.Port(), port);
    client.Close();
  }
}

TEST_F(LineClientTest, AnErrorFromOnConnectedLeavesTheConnectionOpen) {
  client.OnConnected = [](TObject*) { throw Exception("handler failed"); };
  EXPECT_THROW(OpenTo("127.0.0.1", 244), Exception);
  EXPECT_TRUE(client.IsOpen());
}

TEST_F(LineClientTest, CloseReportsOnceAndOnlyWhenOpen) {
  client.Close();
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(net.calls.empty());

  OpenQuietly();
  client.Close();
  EXPECT_EQ(events, (Strings{Status(TLineStatus::stDisconnecting, "127.0.0.1"),
                             Status(TLineStatus::stDisconnected), "OnDisconnected"}));
  EXPECT_EQ(net.calls, (Strings{"shutdown 100 1", "closesocket 100"}));
  EXPECT_FALSE(client.IsOpen());
  EXPECT_TRUE(client.PeerClosed());
  events.clear();
  client.Close();
  EXPECT_TRUE(events.empty());
}

TEST_F(LineClientTest, IsOpenMakesNoPlatformCall) {
  EXPECT_FALSE(client.IsOpen());
  OpenQuietly();
  net.end = FakeNetwork::End::Failed;
  EXPECT_TRUE(client.IsOpen());
  EXPECT_TRUE(net.calls.empty());
}

TEST_F(LineClientTest, DestroyingAnOpenClientClosesSilently) {
  {
    TLineClient other;
    other.OnDisconnected = [this](TObject*) { events.push_back("other OnDisconnected"); };
    other.SetHost("127.0.0.1");
    other.Open();
    net.calls.clear();
  }
  EXPECT_EQ(net.calls, (Strings{"shutdown 100 1", "closesocket 100"}));
  EXPECT_TRUE(events.empty());
}

TEST_F(LineClientTest, WriteLineSendsTheBytesAndCrLf) {
  OpenQuietly();
  client.WriteLine("");
  EXPECT_EQ(net.sent, "\r\n");
  const std::string bytes("a\0b\x80\xff\xe9", 6);
  client.WriteLine(bytes);
  EXPECT_EQ(net.sent, "\r\n" + bytes + "\r\n");
  EXPECT_EQ(net.calls, (Strings{"send 100 2 took 2", "send 100 8 took 8"}));
  client.WriteText("");
  EXPECT_EQ(net.calls.size(), 2u) << "an empty text sends nothing";
}

TEST_F(LineClientTest, PartialSendsAreContinued) {
  OpenQuietly();
  net.send_results = {3, 2};
  client.WriteLine("abcdefg");
  EXPECT_EQ(net.sent, "abcdefg\r\n");
  EXPECT_EQ(net.calls, (Strings{"send 100 9 took 3", "send 100 6 took 2", "send 100 4 took 4"}));
}

TEST_F(LineClientTest, WritingWhenClosedRaisesAndSendsNothing) {
  EXPECT_THROW(client.WriteLine("x"), EConnClosedGracefully);
  OpenQuietly();
  client.Close();
  net.calls.clear();
  try {
    client.WriteLine("x");
    FAIL() << "no error";
  } catch (const EConnClosedGracefully& e) {
    EXPECT_EQ(e.Message(), kConnClosedGracefully);
  }
  EXPECT_TRUE(net.calls.empty());
}

// A failure that ends the connection (as a reset does on Windows) drops it before the error is
// raised, so the next send finds it closed instead of failing again; any other keeps it.
TEST_F(LineClientTest, AFailedSendDropsTheConnectionOnlyWhenTheFailureEndsIt) {
  const std::pair<int, bool> rows[] = {
      {wsa::kECONNRESET, true}, {wsa::kECONNABORTED, true}, {wsa::kESHUTDOWN, true},
      {wsa::kETIMEDOUT, true},  {wsa::kEHOSTUNREACH, true}, {wsa::kENOBUFS, false},
      {wsa::kEINTR, false},     {wsa::kEACCES, false},
  };
  for (const auto& [code, ends] : rows) {
    OpenQuietly();
    net.sent.clear();
    net.send_results = {2, -code};
    try {
      client.WriteLine("xyz");
      ADD_FAILURE() << code << ": no error";
    } catch (const ENetSocketError& e) {
      EXPECT_EQ(e.ErrorCode(), code);
      EXPECT_EQ(e.Message(), SocketErrorMessage(code));
    }
    EXPECT_EQ(net.sent, "xy") << "bytes taken before the failure stay sent";
    EXPECT_EQ(client.IsOpen(), !ends) << code;
    const Strings dropped{Status(TLineStatus::stDisconnecting, "127.0.0.1"),
                          Status(TLineStatus::stDisconnected), "OnDisconnected"};
    EXPECT_EQ(events, ends ? dropped : Strings{}) << code;
    client.Close();
  }
}

TEST_F(LineClientTest, SendOfNothingMeansThePeerClosed) {
  OpenQuietly();
  net.send_results = {0};
  EXPECT_THROW(client.WriteLine("x"), EConnClosedGracefully);
  EXPECT_EQ(events.back(), "OnDisconnected");
  EXPECT_FALSE(client.IsOpen());
}

TEST_F(LineClientTest, CloseInsideOnConnected) {
  client.OnConnected = [this](TObject*) {
    events.push_back("OnConnected");
    client.Close();
  };
  OpenTo("127.0.0.1", 244);
  EXPECT_EQ(events, (Strings{Status(TLineStatus::stConnecting, "127.0.0.1"),
                             Status(TLineStatus::stConnected), "OnConnected",
                             Status(TLineStatus::stDisconnecting, "127.0.0.1"),
                             Status(TLineStatus::stDisconnected), "OnDisconnected"}));
  EXPECT_FALSE(client.IsOpen());
}

}  // namespace
