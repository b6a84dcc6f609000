// The outgoing pipeline on the event-driven transport (kind 1) against a loopback peer: what
// reaches the wire, the echo and the message history for lines and commands.
#include "integration/EventLoopbackFixture.h"

namespace {

class PipelineEvent : public EventLoopbackFixture {
 protected:
  void SetUp() override {
    ConnectToPeer();
    transcript.Clear();
  }

  // Types a line after the commands under test; what the peer then receives up to it is
  // everything those commands sent.
  std::string SentBefore(const std::string& marker = "<end>") {
    Type(marker);
    std::string received;
    while (!received.ends_with(marker)) {
      std::string more = peer.Receive(1);
      if (more.empty()) return "(no " + marker + ")";
      received += more;
    }
    return received.substr(0, received.size() - marker.size());
  }
};

TEST_F(PipelineEvent, ALineGoesOutAsTypedWithoutALineEndAndIsEchoed) {
  Type("hello");
  EXPECT_EQ(peer.Receive(5), "hello");
  EXPECT_EQ(transcript.Text().ToString(), "# hello\r\n");
  EXPECT_EQ(view.message_history.Entries(), Texts{"hello"});
  EXPECT_EQ(view.message, "");
  EXPECT_EQ(pipeline.LastSentLine(), "hello");
}

TEST_F(PipelineEvent, NothingToSendGoesOnlyIntoTheHistory) {
  Type("$$$");
  EXPECT_EQ(SentBefore(), "");
  EXPECT_EQ(transcript.Text().ToString(), "# <end>\r\n");
  EXPECT_TRUE(view.message_history.Contains("$$$"));
}

TEST_F(PipelineEvent, RepeatBeforeAnySendSendsNothingAndEchoesThePrefix) {
  Type("!r");
  EXPECT_EQ(transcript.Text().ToString(), "# \r\n");
  EXPECT_EQ(SentBefore(), "");
  EXPECT_TRUE(view.message_history.Contains("!r"));
}

TEST_F(PipelineEvent, ClearEmptiesTheTranscriptAndRepeatSendsTheLineFromBefore) {
  Type("first");
  Type("!cl");
  EXPECT_EQ(transcript.Text().ToString(), "");
  Type("!r");
  EXPECT_EQ(transcript.Text().ToString(), "# first\r\n");
  EXPECT_EQ(SentBefore(), "firstfirst");
  EXPECT_EQ(view.message_history.Entries(), (Texts{"!cl", "!r", "<end>", "first"}));
}

TEST_F(PipelineEvent, FileNameSendsThePathOrTheCommandItself) {
  view.picked_file = "C:\\Users\\me\\notes.txt";
  Type("!fname");
  view.picked_file.reset();
  Type("!fname");
  EXPECT_EQ(SentBefore(), "C:\\Users\\me\\notes.txt!fname");
  EXPECT_EQ(transcript.Text().ToString(), "# C:\\Users\\me\\notes.txt\r\n# !fname\r\n# <end>\r\n");
}

TEST_F(PipelineEvent, TerminateSendsNothingAndIsRemembered) {
  Type("!term");
  EXPECT_TRUE(view.terminate_requested);
  EXPECT_EQ(SentBefore(), "");
  EXPECT_TRUE(view.message_history.Contains("!term"));
}

TEST_F(PipelineEvent, CommandsMatchOnlyTheWholeTextInItsCase) {
  for (const char* text : {"!CL", "!r ", "!Term", " !cl"}) Type(text);
  EXPECT_EQ(SentBefore(), "!CL!r !Term !cl");
  EXPECT_FALSE(view.terminate_requested);
}

TEST_F(PipelineEvent, AfterADisconnectNothingReachesAnyTransport) {
  controller.Disconnect();
  log.Clear();
  Type("late");
  EXPECT_TRUE(peer.WaitForClose());
  EXPECT_EQ(log.calls, (Texts{"clear MSG", "focus MSG"}));
  EXPECT_TRUE(transcript.Text().ToString().ends_with("# late\r\n"));
}

}  // namespace
