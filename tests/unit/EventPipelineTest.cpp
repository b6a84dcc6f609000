// The controller and the outgoing pipeline on a TEventClient whose platform is the fake: the
// kind-1 failure rows that a loopback peer cannot produce on every platform.
#include "core/ConnectionController.h"
#include "core/OutgoingPipeline.h"
#include "core/Texts.h"
#include "core/Transcript.h"
#include "fakes/FakeConnectionView.h"
#include "fakes/FakeTransports.h"
#include "platform/Files.h"
#include "transport/Texts.h"
#include "unit/EventClientFixture.h"

namespace {

using namespace transport_texts;

class EventPipeline : public EventClientFixture {
 protected:
  EventPipeline() {
    client.OnConnect = [this](TObject*, TAsyncSocket*) { controller.HandleConnected(); };
    client.OnDisconnect = [this](TObject*, TAsyncSocket*) { controller.HandleDisconnected(); };
    client.OnRead = [this](TObject*, TAsyncSocket*) { controller.HandleChunk(); };
    view.transport_index = ConnectionController::kEventKind;
    view.address = "127.0.0.1";
    controller.Connect();
    api->CompleteLookup(net.last_request, 0, SocketAddress{{127, 0, 0, 1}, 0});
    api->Notify(100, socket_event::kConnect);
    transcript.Clear();
    log.Clear();
  }

  void Type(const std::string& text) {
    view.message = text;
    pipeline.SendTyped();
  }

  FakeConnectionView view{log};
  FakeLineTransport line{log};
  PlatformFileSystem files;
  Transcript transcript{files};
  ConnectionController controller{view, transcript, line, client};
  OutgoingPipeline pipeline{view, transcript, controller, line, client};
};

TEST_F(EventPipeline, AFailingSendDisconnectsFirstAndLeavesNoEchoAndNoHistory) {
  net.send_error = 10054;
  EXPECT_EQ(Raised([&] { Type("lost"); }), SocketError(10054, kApiSend));
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kNoKind);
  EXPECT_TRUE(transcript.Text().ToString().starts_with("\r\n!// " + texts::kDisconnectedFrom));
  EXPECT_EQ(transcript.Text().ToString().find("# lost"), std::string::npos);
  EXPECT_EQ(view.message_history.Size(), 0u);
  EXPECT_EQ(view.message, "lost");
  EXPECT_EQ(pipeline.LastSentLine(), "lost");
}

TEST_F(EventPipeline, ASendThatWouldBlockIsStillEchoedAndGoesOutLater) {
  net.send_error = 10035;
  Type("later");
  EXPECT_EQ(transcript.Text().ToString(), "# later\r\n");
  EXPECT_EQ(net.sent, "");
  net.send_error = 0;
  api->Notify(100, socket_event::kWrite);
  EXPECT_EQ(net.sent, "later");
}

TEST_F(EventPipeline, APartSendEchoesTheWholeLineAndSendsTheRestInOrder) {
  net.send_results = {3};
  net.send_error = 10035;
  Type("abcdef");
  Type("gh");
  EXPECT_EQ(transcript.Text().ToString(), "# abcdef\r\n# gh\r\n");
  EXPECT_EQ(net.sent, "abc");
  net.send_error = 0;
  api->Notify(100, socket_event::kWrite);
  EXPECT_EQ(net.sent, "abcdefgh");
}

TEST_F(EventPipeline, RepeatBeforeAnySendMakesOneEmptySend) {
  Type("!r");
  EXPECT_EQ(transcript.Text().ToString(), "# \r\n");
  EXPECT_EQ(Take(), (Texts{"send 100 0 took 0", "clear MSG", "focus MSG"}));
}

TEST_F(EventPipeline, AnEmptyReadNotificationAppendsThePrefixAlone) {
  api->Notify(100, socket_event::kRead);
  EXPECT_EQ(transcript.Text().ToString(), "> \r\n");
}

TEST_F(EventPipeline, AResetKeepsTheWindowConnectedUntilDisconnect) {
  EXPECT_EQ(Raised([&] { api->Notify(100, socket_event::kClose, 10054); }),
            AsynchronousSocketErrorMessage(10054));
  EXPECT_TRUE(controller.IsConnected());
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kEventKind);
  controller.Disconnect();
  EXPECT_EQ(controller.TransportKind(), ConnectionController::kNoKind);
}

}  // namespace
