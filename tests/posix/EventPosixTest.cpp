// Behaviour that only the POSIX back end shows on real sockets: a peer's reset is reported as
// it is on Windows (Wine reports it as an orderly close, so these run natively only), and the
// English system texts of the Windows Sockets codes.
#include "integration/EventLoopbackFixture.h"
#include "platform/SystemErrorText.h"
#include "transport/Texts.h"

namespace {

using namespace transport_texts;

using EventPosix = EventLoopbackFixture;

TEST_F(EventPosix, AResetRaisesTheAsynchronousErrorAndStaysConnected) {
  ConnectToPeer();
  peer.Reset();
  ASSERT_TRUE(PumpUntil([this] { return !route.messages.empty(); }));
  EXPECT_EQ(route.messages, Texts{AsynchronousSocketErrorMessage(10054)});
  EXPECT_EQ(events, Texts{});
  EXPECT_TRUE(client.Active());
  EXPECT_TRUE(controller.IsConnected());
  PumpUntil([] { return false; }, 100);  // reported once
  EXPECT_EQ(route.messages.size(), 1u);

  controller.Disconnect();
  EXPECT_EQ(events, Texts{"OnDisconnect"});
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kNoKind);
}

TEST_F(EventPosix, ASendAfterAResetDisconnectsAndRaisesWithoutEcho) {
  ConnectToPeer();
  peer.Reset();
  ASSERT_TRUE(PumpUntil([this] { return !route.messages.empty(); }));
  transcript.Clear();
  view.message = "lost";
  try {
    pipeline.SendTyped();
    FAIL() << "no error";
  } catch (const EAsyncSocketError& error) {
    EXPECT_EQ(error.Message(), WindowsSocketErrorMessage(10054, kApiSend));
  }
  EXPECT_EQ(events, Texts{"OnDisconnect"});
  EXPECT_EQ(transcript.Text().ToString().find("# lost"), std::string::npos);
  EXPECT_EQ(view.message_history.Size(), 0u);
  EXPECT_EQ(view.message, "lost");
}

TEST(EventSystemText, WindowsSocketsCodesHaveWindowsEnglishTextsWithoutTheirPeriod) {
  const std::pair<int, const char*> table[] = {
      {10035, "A non-blocking socket operation could not be completed immediately"},
      {10053, "An established connection was aborted by the software in your host machine"},
      {10054, "An existing connection was forcibly closed by the remote host"},
      {10061, "No connection could be made because the target machine actively refused it"},
      {11001, "No such host is known"},
      {0, ""},
      {12345, ""},
  };
  for (const auto& [code, text] : table) EXPECT_EQ(SystemErrorText(code), text) << code;
}

}  // namespace
