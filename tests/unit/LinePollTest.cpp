// The controller's poll of the line client over the fake socket layer, where arrivals are
// exact: one line per tick, and a reset with Windows' behaviour.
#include <gtest/gtest.h>

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

TEST_F(LinePollTest, ResetRaisesOnEveryReceivingTickAndStaysConnected) {
  net.incoming = {"a\nb\n"};
  net.end = FakeNetwork::End::Reset;
  app.Tick();
  app.Tick();
  EXPECT_EQ(app.Received(), (Strings{"> a", "> b"}));
  const size_t lines = app.transcript.Lines().size();
  for (int i = 0; i < 3; ++i) {
    try {
      app.Tick();
      FAIL() << "no error";
    } catch (const ENetSocketError& e) {
      EXPECT_EQ(e.Message(), SocketErrorMessage(10054));
    }
    EXPECT_TRUE(app.controller.IsConnected());
    EXPECT_EQ(app.controller.TransportKind(), 0);
    EXPECT_TRUE(app.view.timer_running);
  }
  EXPECT_EQ(app.transcript.Lines().size(), lines) << "no banner";
  app.controller.Disconnect();
  EXPECT_EQ(app.controller.TransportKind(), 3);
}

TEST_F(LinePollTest, LinesBeforeTheCloseAreShownThenTheCloseRaises) {
  net.incoming = {"one\ntwo\npartial"};
  net.end = FakeNetwork::End::Closed;
  app.Tick();
  app.Tick();
  EXPECT_EQ(app.Received(), (Strings{"> one", "> two"}));
  // The partial line is lost without an error; the tick that sees the close goes idle.
  app.Tick();
  EXPECT_EQ(app.controller.TransportKind(), 3);
  EXPECT_FALSE(app.view.timer_running);
  EXPECT_EQ(app.Received().size(), 2u);
}

}  // namespace
