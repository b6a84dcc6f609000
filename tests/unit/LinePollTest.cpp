// The controller's poll of the line client over the fake socket layer, where arrivals are
// exact: one line per tick, and a reset with Windows' behaviour.
#include <gtest/gtest.h>

#include "core/Texts.h"
#include "fakes/FakeSockets.h"
#include "integration/LineHarness.h"
#include "transport/Texts.h"
#include "transport/line/NetErrors.h"

namespace {

using Strings = std::vector<std::string>;

class LinePollTest : public ::testing::Test {
 protected:
  LinePollTest() {
    app.view.address = "127.0.0.1";
    app.view.port = 244;
    app.controller.Connect();
  }

  FakeNetwork net;
  FakeSocketsScope scope{net};
  LineHarness app;
};

TEST_F(LinePollTest, TenLinesArrivingAtOnceTakeTenTicks) {
  std::string burst;
  for (int i = 0; i < 10; ++i) burst += "line " + std::to_string(i) + "\r\n";
  net.incoming = {burst};
  for (size_t tick = 1; tick <= 10; ++tick) {
    app.Tick();
    EXPECT_EQ(app.Received().size(), tick);
  }
  EXPECT_EQ(app.Received().back(), "> line 9");
  app.Tick();
  EXPECT_EQ(app.Received().size(), 10u);
}

TEST_F(LinePollTest, NoTickReadsUnlessTheTransportIsOpen) {
  app.controller.Disconnect();
  net.calls.clear();
  app.controller.PollTick();
  EXPECT_TRUE(net.calls.empty());
}

// As Windows reports a reset: every receive fails with 10054. The error is shown once, after the
// disconnected banner, and the window goes idle instead of raising again on every tick.
TEST_F(LinePollTest, AResetIsReportedOnceAndTheWindowGoesIdle) {
  net.incoming = {"a\nb\n"};
  net.end = FakeNetwork::End::Failed;
  app.Tick();
  app.Tick();
  EXPECT_EQ(app.Received(), (Strings{"> a", "> b"}));
  try {
    app.Tick();
    FAIL() << "no error";
  } catch (const ENetSocketError& e) {
    EXPECT_EQ(e.Message(), SocketErrorMessage(10054));
  }
  EXPECT_TRUE(app.transcript.Text().ToString().ends_with(texts::kSeparatorLine + "\r\n\r\n"));
  EXPECT_FALSE(app.controller.IsConnected());
  EXPECT_EQ(app.controller.TransportKind(), 3);
  EXPECT_FALSE(app.view.timer_running);
  net.calls.clear();
  app.controller.PollTick();
  EXPECT_TRUE(net.calls.empty());
}

// The lines before the peer's close, and then its last bytes without a line end, are shown
// before the disconnected banner; the tick after them finds the close.
TEST_F(LinePollTest, LinesBeforeTheCloseAndTheLastBytesAreShownThenTheCloseRaises) {
  net.incoming = {"one\ntwo\npartial"};
  net.end = FakeNetwork::End::Closed;
  for (int i = 0; i < 3; ++i) app.Tick();
  EXPECT_EQ(app.Received(), (Strings{"> one", "> two", "> partial"}));
  EXPECT_TRUE(app.view.timer_running);
  EXPECT_THROW(app.Tick(), EConnClosedGracefully);
  EXPECT_EQ(app.controller.TransportKind(), 3);
  EXPECT_FALSE(app.view.timer_running);
  EXPECT_LT(app.transcript.Text().ToString().find("> partial"),
            app.transcript.Text().ToString().find(texts::kDisconnectedFrom));
}

}  // namespace
