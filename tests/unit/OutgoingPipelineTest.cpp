#include "core/OutgoingPipeline.h"

#include <gtest/gtest.h>

#include "core/ConnectionController.h"
#include "core/Cp1251.h"
#include "core/Errors.h"
#include "core/Transcript.h"
#include "fakes/FakeConnectionView.h"
#include "fakes/FakeTransports.h"
#include "platform/Files.h"
#include "transport/Texts.h"

namespace {

using Texts = std::vector<std::string>;

class OutgoingPipelineTest : public ::testing::Test {
 protected:
  OutgoingPipelineTest() {
    line.on_connected = [this] { controller.HandleConnected(); };
    line.on_disconnected = [this] { controller.HandleDisconnected(); };
  }

  void ConnectLine() {
    view.transport_index = 0;
    controller.Connect();
    transcript.Clear();
    log.Clear();
  }

  void ConnectEvent() {
    view.transport_index = 1;
    controller.Connect();
    event.active = true;
    controller.HandleConnected();
    transcript.Clear();
    log.Clear();
  }

  void Type(const std::string& text) {
    view.message = text;
    pipeline.SendTyped();
  }

  CallLog log;
  FakeConnectionView view{log};
  FakeLineTransport line{log};
  FakeEventTransport event{log};
  PlatformFileSystem files;
  Transcript transcript{files};
  ConnectionController controller{view, transcript, line, event};
  OutgoingPipeline pipeline{view, transcript, controller, line, event};
};

TEST_F(OutgoingPipelineTest, SendsEchoesRemembersAndClears) {
  ConnectLine();
  Type("hello");
  EXPECT_EQ(log.calls, (Texts{"cs.WriteLine hello", "clear MSG", "focus MSG"}));
  EXPECT_EQ(line.written, (Texts{"hello\r\n"}));
  EXPECT_EQ(transcript.Text().ToString(), "# hello\r\n");
  EXPECT_EQ(view.message_history.Entries(), (Texts{"hello"}));
  EXPECT_EQ(view.message, "");
  EXPECT_EQ(pipeline.LastSentLine(), "hello");
}

TEST_F(OutgoingPipelineTest, EventTransportSendsTheBytesAsTyped) {
  ConnectEvent();
  Type(std::string("raw\0\xFF", 5));
  EXPECT_EQ(event.sent, (Texts{std::string("raw\0\xFF", 5)}));
  EXPECT_EQ(transcript.Text().ToString(), std::string("# raw\0\xFF\r\n", 9));
}

TEST_F(OutgoingPipelineTest, NothingToSendGoesOnlyIntoTheHistory) {
  ConnectLine();
  Type("$$$");
  EXPECT_EQ(line.written, Texts{});
  EXPECT_EQ(transcript.Text().ToString(), "");
  EXPECT_EQ(view.message_history.Entries(), (Texts{"$$$"}));
}

TEST_F(OutgoingPipelineTest, CommandsAreWholeTextAndCaseSensitive) {
  ConnectLine();
  for (const char* text : {"!CL", "!cl ", " !cl", "!R", "!term2"}) Type(text);
  EXPECT_EQ(line.written, (Texts{"!CL\r\n", "!cl \r\n", " !cl\r\n", "!R\r\n", "!term2\r\n"}));
  EXPECT_FALSE(view.terminate_requested);
}

TEST_F(OutgoingPipelineTest, ClearEmptiesTheTranscriptAndLeavesNoEntry) {
  ConnectLine();
  Type("one");
  Type("!cl");
  EXPECT_EQ(transcript.Text().ToString(), "");
  EXPECT_EQ(line.written, (Texts{"one\r\n"}));
  // "!r" after "!cl" repeats the line sent before the clear.
  Type("!r");
  EXPECT_EQ(line.written, (Texts{"one\r\n", "one\r\n"}));
  EXPECT_EQ(transcript.Text().ToString(), "# one\r\n");
  EXPECT_EQ(view.message_history.Entries(), (Texts{"!cl", "!r", "one"}));
}

TEST_F(OutgoingPipelineTest, RepeatBeforeAnySendSendsAnEmptyLine) {
  ConnectLine();
  Type("!r");
  EXPECT_EQ(line.written, (Texts{"\r\n"}));
  EXPECT_EQ(transcript.Text().ToString(), "# \r\n");
}

TEST_F(OutgoingPipelineTest, RepeatBeforeAnySendOnTheEventTransportSendsNoBytes) {
  ConnectEvent();
  Type("!r");
  EXPECT_EQ(event.sent, (Texts{""}));
  EXPECT_EQ(transcript.Text().ToString(), "# \r\n");
}

TEST_F(OutgoingPipelineTest, FileNameSendsThePathOrTheCommandWhenCancelled) {
  ConnectLine();
  // The path goes out in Windows-1251: a letter that it lacks ("é") as "?".
  view.picked_file = std::filesystem::path(u8"C:\\José\\Иван.txt");
  const std::string sent = "C:\\Jos?\\" + cp1251::FromUtf8("Иван") + ".txt";
  Type("!fname");
  view.picked_file.reset();
  Type("!fname");
  EXPECT_EQ(line.written, (Texts{sent + "\r\n", "!fname\r\n"}));
  EXPECT_EQ(transcript.Text().ToString(), "# " + sent + "\r\n# !fname\r\n");
  EXPECT_EQ(view.message_history.Entries(), (Texts{"!fname"}));
}

TEST_F(OutgoingPipelineTest, TerminateAsksToEndAndIsRemembered) {
  ConnectLine();
  Type("!term");
  EXPECT_TRUE(view.terminate_requested);
  EXPECT_EQ(line.written, Texts{});
  EXPECT_EQ(view.message_history.Entries(), (Texts{"!term"}));
}

TEST_F(OutgoingPipelineTest, AFailedSendLeavesNoEchoNoHistoryAndTheText) {
  ConnectLine();
  line.write_behaviour = [] { throw Exception(SocketErrorMessage(10054)); };
  EXPECT_THROW(Type("lost"), Exception);
  EXPECT_EQ(transcript.Text().ToString(), "");
  EXPECT_EQ(view.message_history.Size(), 0u);
  EXPECT_EQ(view.message, "lost");
  // It still counts as the last line sent.
  EXPECT_EQ(pipeline.LastSentLine(), "lost");
}

TEST_F(OutgoingPipelineTest, AfterADisconnectNothingIsSent) {
  ConnectLine();
  controller.Disconnect();
  log.Clear();
  Type("late");
  EXPECT_EQ(log.calls, (Texts{"clear MSG", "focus MSG"}));
  EXPECT_EQ(transcript.Text().ToString().substr(transcript.Text().size() - 8), "# late\r\n");
}

TEST_F(OutgoingPipelineTest, HistoryKeepsTheFirstSpelling) {
  ConnectLine();
  Type("Word");
  Type("WORD");
  EXPECT_EQ(view.message_history.Entries(), (Texts{"Word"}));
}

}  // namespace
