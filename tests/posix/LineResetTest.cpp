// A peer's reset over Linux sockets: Linux reports it to one receive or send (10054 after
// mapping), which ends the connection. Wine reads it as an orderly close at once, so this exact
// sequence is checked natively only.
#include <gtest/gtest.h>

#include "integration/LineHarness.h"
#include "support/LoopbackPeer.h"
#include "transport/Texts.h"
#include "transport/line/NetErrors.h"

namespace {

using namespace transport_texts;

TEST(LineReset, TheResetIsReportedOnceAndTheWindowGoesIdle) {
  LoopbackPeer peer;
  LineHarness app;
  app.view.address = "127.0.0.1";
  app.view.port = peer.Port();
  app.controller.Connect();
  ASSERT_TRUE(peer.Accept());
  peer.Reset();

  EXPECT_EQ(app.TickUntilError(), SocketErrorMessage(10054));
  EXPECT_FALSE(app.line.IsOpen());
  EXPECT_EQ(app.controller.TransportKind(), 3);
  EXPECT_FALSE(app.view.timer_running);
  EXPECT_EQ(app.Received().size(), 0u);
}

TEST(LineReset, ASendAfterTheResetFailsOnceAndCloses) {
  LoopbackPeer peer;
  OpenLineClient line(peer.Port());
  TLineClient& client = line.client;
  ASSERT_TRUE(peer.Accept());
  peer.Reset();
  // The reset may need a moment to arrive; the first failing send shows it.
  std::string message;
  for (int i = 0; i < 1000 && message.empty(); ++i) {
    try {
      client.WriteLine("x");
    } catch (const ENetSocketError& e) {
      message = e.Message();
    }
  }
  EXPECT_EQ(message, SocketErrorMessage(10054));
  EXPECT_FALSE(client.IsOpen());
  EXPECT_EQ(line.disconnects, 1);
  EXPECT_THROW(client.WriteLine("x"), EConnClosedGracefully);
}

}  // namespace
