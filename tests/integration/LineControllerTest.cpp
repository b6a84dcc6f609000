// The connection controller with the real line transport against a loopback peer: connect,
// the poll's one line per tick, the "@" rule, and how each failure reaches the user.
#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "integration/LineHarness.h"
#include "support/LoopbackPeer.h"
#include "transport/Texts.h"
#include "transport/line/NetErrors.h"

namespace {

using namespace transport_texts;

using Strings = std::vector<std::string>;

class LineControllerTest : public ::testing::Test {
 protected:
  void Connect(const std::string& address) {
    app.view.address = address;
    app.view.port = peer.Port();
    app.controller.Connect();
    ASSERT_TRUE(peer.Accept());
  }

  std::string Connected(const std::string& endpoint) const {
    return "!// " + cp1251::FromUtf8("Установлено соединение с ") + endpoint + " (TCP/IP Server);";
  }
  std::string Disconnected(const std::string& endpoint, const std::string& kind) const {
    return "!// " + cp1251::FromUtf8("Разорвано соединение с ") + endpoint + " (" + kind + ");";
  }

  LoopbackPeer peer;
  LineHarness app;
  const std::string kNoConnection = cp1251::FromUtf8("Нет соединения");
  const std::string kSeparator = std::string(100, '/');
};

TEST_F(LineControllerTest, ConnectsByNameOrAddressAndDisconnects) {
  for (const char* address : {"localhost", "127.0.0.1"}) {
    app.transcript.Clear();
    Connect(address);
    const std::string endpoint = address + (":" + std::to_string(peer.Port()));
    EXPECT_EQ(app.controller.TransportKind(), 0);
    EXPECT_EQ(app.view.kind_label, "TCP/IP Server");
    EXPECT_EQ(app.view.endpoint_label, endpoint);
    EXPECT_TRUE(app.view.timer_running);
    EXPECT_TRUE(app.controller.IsConnected());
    EXPECT_FALSE(app.view.Enabled(ConnectionControl::ConnectButton));

    app.controller.Disconnect();
    EXPECT_TRUE(peer.WaitForClose());
    EXPECT_EQ(app.transcript.Lines(),
              (Strings{Connected(endpoint), "", "", Disconnected(endpoint, "TCP/IP Server"), "",
                       kSeparator, ""}));
    EXPECT_EQ(app.controller.TransportKind(), 3);
    EXPECT_FALSE(app.view.timer_running);
    EXPECT_FALSE(app.controller.IsConnected());
  }
}

TEST_F(LineControllerTest, ShowsOneLinePerTickAndDropsLinesStartingWithAt) {
  Connect("127.0.0.1");
  peer.Send("one\r\n@hidden\r\n @shown\r\n\r\ntwo\nthree\n");
  const Strings expected = {"> one", ">  @shown", "> two", "> three"};
  size_t shown = 0;
  bool waited_in_buffer = false;
  ASSERT_TRUE(app.TickUntil([&] {
    const size_t now = app.Received().size();
    EXPECT_LE(now, shown + 1) << "more than one line in one tick";
    if (now > 0 && app.line.InputSize() > 0) waited_in_buffer = true;
    shown = now;
    return now == expected.size();
  }));
  EXPECT_EQ(app.Received(), expected);
  EXPECT_TRUE(waited_in_buffer) << "lines that arrive together wait for later ticks";
}

TEST_F(LineControllerTest, LinesWrittenGoOutWithCrLf) {
  Connect("127.0.0.1");
  app.view.message = "hello";
  app.pipeline.SendTyped();
  EXPECT_EQ(peer.Receive(7), "hello\r\n");
  EXPECT_EQ(app.transcript.Lines().at(2), "# hello");
}

TEST_F(LineControllerTest, ServerCloseIsNoticedOnTheNextTick) {
  Connect("127.0.0.1");
  const std::string endpoint = "127.0.0.1:" + std::to_string(peer.Port());
  peer.Send("bye\r\n");
  peer.Close();
  ASSERT_TRUE(app.TickUntil([&] { return app.Received() == Strings{"> bye"}; }));
  bool idle_before_the_error = false;
  try {
    app.TickUntil([] { return false; });
    FAIL() << "no error";
  } catch (const EConnClosedGracefully& e) {
    EXPECT_EQ(e.Message(), kConnClosedGracefully);
    idle_before_the_error = !app.view.timer_running && app.controller.TransportKind() == 3;
  }
  EXPECT_TRUE(idle_before_the_error);
  const Strings lines = app.transcript.Lines();
  EXPECT_EQ(Strings(lines.end() - 5, lines.end()),
            (Strings{"", Disconnected(endpoint, "TCP/IP Server"), "", kSeparator, ""}));
  EXPECT_FALSE(app.controller.IsConnected());
  EXPECT_TRUE(app.view.Enabled(ConnectionControl::ConnectButton));
}

TEST_F(LineControllerTest, RefusedConnectShowsTheIdleBannerThenTheError) {
  app.view.address = "127.0.0.1";
  app.view.port = LoopbackPeer::RefusedPort();
  try {
    app.controller.Connect();
    FAIL() << "no error";
  } catch (const ENetSocketError& e) {
    EXPECT_EQ(e.Message(), SocketErrorMessage(10061));
    EXPECT_EQ(app.transcript.Lines(),
              (Strings{"", Disconnected("", kNoConnection), "", kSeparator, ""}));
  }
  EXPECT_TRUE(app.view.address_history.Contains("127.0.0.1"));
  EXPECT_EQ(app.controller.TransportKind(), 3);
  EXPECT_FALSE(app.view.timer_running);
  EXPECT_FALSE(app.line.IsOpen());
  Connect("127.0.0.1");
  EXPECT_TRUE(app.controller.IsConnected()) << "a new connect works";
}

TEST_F(LineControllerTest, UnresolvableNameShowsTheIdleBannerThenTheError) {
  app.view.address = "zirk-nowhere.invalid";
  app.view.port = peer.Port();
  try {
    app.controller.Connect();
    FAIL() << "no error";
  } catch (const ENetSocketError& e) {
    EXPECT_EQ(e.Message(), SocketErrorMessage(e.ErrorCode()));
  }
  EXPECT_EQ(app.transcript.Lines().at(1), Disconnected("", kNoConnection));
  EXPECT_EQ(app.controller.TransportKind(), 3);
}

// Under Wine a reset reads as an orderly close; natively and on Windows it is an error (the
// POSIX suite and the fake socket layer check that exactly). Either way it is shown once and the
// window goes idle.
TEST_F(LineControllerTest, ServerResetIsHandled) {
  Connect("127.0.0.1");
  peer.Reset();
  const std::string message = app.TickUntilError();
  EXPECT_TRUE(message == kConnClosedGracefully || message == SocketErrorMessage(10054)) << message;
  EXPECT_EQ(app.controller.TransportKind(), 3);
  EXPECT_FALSE(app.controller.IsConnected());
}

}  // namespace
