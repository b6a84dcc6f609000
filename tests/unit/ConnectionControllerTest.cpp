#include "core/ConnectionController.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "core/Texts.h"
#include "core/Transcript.h"
#include "fakes/FakeConnectionView.h"
#include "fakes/FakeTransports.h"
#include "platform/Files.h"
#include "transport/Texts.h"

namespace {

using namespace transport_texts;

using Calls = std::vector<std::string>;

class ConnectionControllerTest : public ::testing::Test {
 protected:
  ConnectionControllerTest() {
    line.on_connected = [this] { controller.HandleConnected(); };
    line.on_disconnected = [this] { controller.HandleDisconnected(); };
    event.active_behaviour = [this](bool active) {
      // Setting Active false on a connection runs OnDisconnect inside the setter.
      if (!active && event.active) {
        event.active = false;
        controller.HandleDisconnected();
      }
    };
  }

  // The event-driven transport's later connect notification.
  void EventConnects() {
    event.active = true;
    controller.HandleConnected();
  }

  const std::string kSeparator = std::string(100, '/');
  CallLog log;
  FakeConnectionView view{log};
  FakeLineTransport line{log};
  FakeEventTransport event{log};
  PlatformFileSystem files;
  Transcript transcript{files};
  ConnectionController controller{view, transcript, line, event};
};

TEST_F(ConnectionControllerTest, StartsIdleWithTheLineTransportsKind) {
  EXPECT_EQ(controller.TransportKind(), 0);
  EXPECT_EQ(controller.KindLabel(), cp1251::FromUtf8("Нет соединения"));
  EXPECT_EQ(controller.EndpointLabel(), "");
  EXPECT_FALSE(controller.IsConnected());
}

TEST_F(ConnectionControllerTest, ConnectAndDisconnectWithoutTraffic) {
  view.address = "example.org";
  view.port = 7;
  controller.Connect();
  EXPECT_EQ(log.calls,
            (Calls{"cs.Open example.org:7", "timer start", "enable DConB", "disable ConB",
                   "disable SrvBox", "disable ADRL", "disable PortED", "enable SendB", "focus MSG",
                   "SL1 TCP/IP Server", "SL2 example.org:7"}));
  EXPECT_TRUE(controller.IsConnected());
  log.Clear();
  controller.Disconnect();
  const std::string no_connection = cp1251::FromUtf8("Нет соединения");
  EXPECT_EQ(log.calls, (Calls{"cs.Close", "timer stop", "disable DConB", "enable SrvBox",
                              "enable ADRL", "enable PortED", "enable ConB", "disable SendB",
                              "SL1 " + no_connection, "SL2 ", "repaint"}));
  EXPECT_EQ(transcript.Text().ToString(), "!// " + cp1251::FromUtf8("Установлено соединение с ") +
                                              "example.org:7 (TCP/IP Server);\r\n\r\n"
                                              "\r\n!// " +
                                              cp1251::FromUtf8("Разорвано соединение с ") +
                                              "example.org:7 (TCP/IP Server);\r\n\r\n" +
                                              kSeparator + "\r\n\r\n");
  EXPECT_EQ(
      transcript.Lines(),
      (Calls{
          "!// " + cp1251::FromUtf8("Установлено соединение с ") + "example.org:7 (TCP/IP Server);",
          "", "",
          "!// " + cp1251::FromUtf8("Разорвано соединение с ") + "example.org:7 (TCP/IP Server);",
          "", kSeparator, ""}));
  EXPECT_EQ(controller.TransportKind(), 3);
  EXPECT_EQ(view.address_history.Entries(), (Calls{"example.org"}));
}

TEST_F(ConnectionControllerTest, DisconnectedBannerStartsWithAnEmptyLineOnAnEmptyTranscript) {
  controller.Connect();
  transcript.Clear();
  controller.Disconnect();
  EXPECT_EQ(transcript.Text().ToString().substr(0, 6), "\r\n!// ");
}

TEST_F(ConnectionControllerTest, FailedLineConnectShowsTheIdleBannerThenRaises) {
  view.address = "127.0.0.1";
  line.open_behaviour = [this] {
    controller.HandleDisconnected();
    throw Exception(SocketErrorMessage(10061));
  };
  EXPECT_THROW(controller.Connect(), Exception);
  EXPECT_EQ(transcript.Text().ToString(), "\r\n!// " + cp1251::FromUtf8("Разорвано соединение с ") +
                                              " (" + cp1251::FromUtf8("Нет соединения") +
                                              ");\r\n\r\n" + kSeparator + "\r\n\r\n");
  EXPECT_EQ(controller.TransportKind(), 3);
  EXPECT_TRUE(view.Enabled(ConnectionControl::ConnectButton));
  EXPECT_FALSE(view.Enabled(ConnectionControl::DisconnectButton));
  EXPECT_FALSE(view.Enabled(ConnectionControl::SendButton));
  EXPECT_EQ(view.address_history.Entries(), (Calls{"127.0.0.1"}));
}

TEST_F(ConnectionControllerTest, AddressHistoryIgnoresCaseAndKeepsTheFirstSpelling) {
  view.address = "LocalHost";
  controller.Connect();
  controller.Disconnect();
  view.address = "localhost";
  controller.Connect();
  EXPECT_EQ(view.address_history.Entries(), (Calls{"LocalHost"}));
  // The line transport's endpoint shows the host exactly as typed this time.
  EXPECT_EQ(controller.EndpointLabel(), "localhost:243");
}

TEST_F(ConnectionControllerTest, AnUnselectedTransportConnectsNothing) {
  view.transport_index = -1;
  controller.Connect();
  EXPECT_EQ(controller.TransportKind(), -1);
  EXPECT_EQ(log.calls, Calls{});
  EXPECT_EQ(view.address_history.Size(), 1u);
  controller.Disconnect();
  EXPECT_EQ(log.calls, Calls{});
}

TEST_F(ConnectionControllerTest, PollsOneLineAndAppliesTheAtRule) {
  struct Row {
    std::string received;
    std::string shown;  // "" when nothing is appended
  };
  const Row rows[] = {
      {"hello", "> hello\r\n"},
      {"@hidden", ""},
      {"@", ""},
      {" @shown", ">  @shown\r\n"},
      {"", ""},
      {"a\rb", "> a\rb\r\n"},
      {std::string("\0x", 2), std::string("> \0x\r\n", 6)},
  };
  controller.Connect();
  for (const Row& row : rows) {
    transcript.Clear();
    line.lines.push_back(row.received);
    controller.PollTick();
    EXPECT_EQ(transcript.Text().ToString(), row.shown) << row.received;
  }
}

TEST_F(ConnectionControllerTest, PollReadsAtMostOneLinePerTickAndNothingWhenClosed) {
  controller.PollTick();
  EXPECT_EQ(log.calls, Calls{});  // not open: no read
  controller.Connect();
  line.lines = {"one", "two", "three"};
  log.Clear();
  controller.PollTick();
  EXPECT_EQ(log.calls, (Calls{"cs.ReadLine \"\" 5"}));
  controller.PollTick();
  EXPECT_EQ(line.lines.size(), 1u);
  EXPECT_NE(transcript.Text().ToString().find("> one\r\n> two\r\n"), std::string::npos);
}

TEST_F(ConnectionControllerTest, PeerCloseOnThePollGoesIdleBeforeTheError) {
  controller.Connect();
  line.read_behaviour = [this] {
    line.open = false;
    controller.HandleDisconnected();
    throw Exception(kConnClosedGracefully);
  };
  EXPECT_THROW(controller.PollTick(), Exception);
  EXPECT_FALSE(view.timer_running);
  EXPECT_EQ(controller.TransportKind(), 3);
  EXPECT_FALSE(controller.IsConnected());
}

TEST_F(ConnectionControllerTest, EventTransportConnectsLaterAndShowsChunks) {
  view.transport_index = 1;
  view.address = "Example.ORG";
  view.port = 70000;
  controller.Connect();
  EXPECT_EQ(log.calls, (Calls{"cs2.Active true"}));
  EXPECT_EQ(controller.TransportKind(), 1);
  EXPECT_FALSE(controller.IsConnected());
  EventConnects();
  EXPECT_EQ(controller.KindLabel(), "Server Socket");
  EXPECT_EQ(controller.EndpointLabel(), "Example.ORG:70000");
  transcript.Clear();
  event.chunks = {"two\r\nwords", ""};
  controller.HandleChunk();
  controller.HandleChunk();
  EXPECT_EQ(transcript.Text().ToString(), "> two\r\nwords\r\n> \r\n");
  EXPECT_EQ(transcript.Lines(), (Calls{"> two", "words", "> "}));
  controller.Disconnect();
  EXPECT_EQ(controller.TransportKind(), 3);
  EXPECT_FALSE(event.active);
}

TEST_F(ConnectionControllerTest, EventHostTypedAgainInOtherCaseKeepsTheFirstSpelling) {
  view.transport_index = 1;
  view.address = "MyHost";
  controller.Connect();
  EventConnects();
  controller.Disconnect();
  view.address = "myhost";
  controller.Connect();
  EventConnects();
  EXPECT_EQ(controller.EndpointLabel(), "MyHost:243");
}

TEST_F(ConnectionControllerTest, PollDoesNothingWhileTheEventTransportIsInUse) {
  view.transport_index = 1;
  controller.Connect();
  EventConnects();
  log.Clear();
  controller.PollTick();
  EXPECT_EQ(log.calls, Calls{});
}

}  // namespace
