// Reading lines over a fake socket layer with Windows' behaviour: how bytes are cut into
// lines, the peer's close and reset, the wait passed to the platform and the line bound.
#include <gtest/gtest.h>

#include "fakes/FakeSockets.h"
#include "transport/Texts.h"
#include "transport/line/LineClient.h"
#include "transport/line/NetErrors.h"

namespace {

using namespace transport_texts;

using Strings = std::vector<std::string>;
constexpr size_t kMax = TLineConnection::kMaxLineLength;

class LineReadTest : public ::testing::Test {
 protected:
  LineReadTest() {
    client.OnDisconnected = [this](TObject*) { ++disconnects; };
    client.SetHost("127.0.0.1");
    client.SetPort(244);
    client.Open();
    net.calls.clear();
  }

  std::string Read() { return client.ReadLine("", 5); }

  FakeNetwork net;
  FakeSocketsScope scope{net};
  TLineClient client;
  int disconnects = 0;
};

// Bytes that arrive before a call, and what that call returns.
struct Step {
  std::string arrives;
  std::string line;
  bool timed_out;
};

TEST_F(LineReadTest, CutsLinesAtLfAndRemovesOneCr) {
  const std::pair<const char*, std::vector<Step>> rows[] = {
      {"CR LF and LF in one piece",
       {{"abc\r\ndef\n", "abc", false}, {"", "def", false}, {"", "", true}}},
      {"only one CR removed", {{"abc\r\r\n", "abc\r", false}, {"", "", true}}},
      {"CR at a line start stays", {{"abc\n\rdef\n", "abc", false}, {"", "\rdef", false}}},
      {"a lone LF is an empty line", {{"\n", "", false}, {"", "", true}}},
      {"nothing arrived", {{"", "", true}}},
      {"a line completed later", {{"ab", "", true}, {"", "", true}, {"c\n", "abc", false}}},
      {"CR and LF in two pieces", {{"abc\r", "", true}, {"\n", "abc", false}}},
      {"a lone CR is no line end", {{"a\rb\n", "a\rb", false}}},
      {"NUL and bytes above 127",
       {{std::string("a\0b\x80\xff\r\n", 7), std::string("a\0b\x80\xff", 5), false}}},
  };
  for (const auto& [name, steps] : rows) {
    net.incoming.clear();
    client.Close();
    client.Open();
    for (const Step& step : steps) {
      if (!step.arrives.empty()) net.incoming.push_back(step.arrives);
      EXPECT_EQ(Read(), step.line) << name;
      EXPECT_EQ(client.LineTimedOut(), step.timed_out) << name;
    }
  }
}

TEST_F(LineReadTest, ChunksArrivingDuringOneCallMakeOneLine) {
  net.incoming = {"ab", "c", "d\r", "\nrest"};
  EXPECT_EQ(Read(), "abcd");
  EXPECT_EQ(client.InputSize(), 4u);
  EXPECT_EQ(Read(), "");
  EXPECT_TRUE(client.LineTimedOut());
  EXPECT_EQ(client.TakeInput(4), "rest");
}

TEST_F(LineReadTest, OtherTerminatorsKeepTheirCr) {
  net.incoming = {"abc\ndef\r", "\nxyz\rX"};
  EXPECT_EQ(client.ReadLine("\r\n", 5), "abc\ndef");
  EXPECT_EQ(client.ReadLine("X", 5), "xyz\r");
}

TEST_F(LineReadTest, ACompleteLineNeedsNoPlatformCall) {
  net.incoming = {"one\ntwo\n"};
  EXPECT_EQ(Read(), "one");
  net.calls.clear();
  net.end = FakeNetwork::End::Reset;  // would fail any receive
  EXPECT_EQ(Read(), "two");
  EXPECT_TRUE(net.calls.empty());
}

TEST_F(LineReadTest, EachWaitGetsTheTimeOut) {
  Read();
  client.ReadLine("", 1500);
  client.ReadLine("", 0);
  net.incoming = {"x\n"};
  client.ReadLine("", WaitForever);
  EXPECT_EQ(net.calls, (Strings{"select 1 0s5000us", "select 1 1s500000us", "select 1 0s0us",
                                "select 1 forever", "recv 100 32768"}));
}

TEST_F(LineReadTest, OneReceiveAsksForRecvBufferSize) {
  client.SetRecvBufferSize(4);
  net.incoming = {"abcdefgh\n"};
  EXPECT_EQ(Read(), "abcdefgh");
  EXPECT_EQ(net.calls, (Strings{"select 1 0s5000us", "recv 100 4", "select 1 0s5000us",
                                "recv 100 4", "select 1 0s5000us", "recv 100 4"}));
}

TEST_F(LineReadTest, AChunkCanStayInRecvBlock) {
  net.incoming = {"abc"};
  EXPECT_EQ(client.ReceiveChunk(true, 5, false), 3);
  EXPECT_EQ(std::string(client.RecvBlock().Data(), 3), "abc");
  EXPECT_EQ(client.InputSize(), 0u);
  net.incoming = {"de"};
  EXPECT_EQ(client.ReceiveChunk(true, 5, true), 2);
  EXPECT_EQ(client.TakeInput(2), "de");
}

TEST_F(LineReadTest, PeerClosesAfterALine) {
  net.incoming = {"bye\r\n"};
  net.end = FakeNetwork::End::Closed;
  EXPECT_EQ(Read(), "bye");
  EXPECT_EQ(disconnects, 0);
  EXPECT_TRUE(client.IsOpen());
  try {
    Read();
    FAIL() << "no error";
  } catch (const EConnClosedGracefully& e) {
    EXPECT_EQ(e.Message(), kConnClosedGracefully);
  }
  EXPECT_EQ(disconnects, 1);
  EXPECT_FALSE(client.IsOpen());
  EXPECT_TRUE(client.PeerClosed());
}

TEST_F(LineReadTest, PeerClosesWithAPartialLinePending) {
  net.incoming = {"ab"};
  net.end = FakeNetwork::End::Closed;
  EXPECT_EQ(Read(), "");
  EXPECT_TRUE(client.LineTimedOut());
  EXPECT_EQ(disconnects, 1);
  EXPECT_FALSE(client.IsOpen());
  // A further read finds the connection closed; ab is never returned.
  EXPECT_THROW(Read(), EConnClosedGracefully);
  client.Open();
  EXPECT_EQ(client.InputSize(), 0u) << "the next Open discards it";
}

TEST_F(LineReadTest, ResetRaisesOnEveryReceiveAndKeepsTheConnection) {
  net.incoming = {"last\n"};
  net.end = FakeNetwork::End::Reset;
  EXPECT_EQ(Read(), "last");
  for (int i = 0; i < 3; ++i) {
    try {
      Read();
      FAIL() << "no error";
    } catch (const ENetSocketError& e) {
      EXPECT_EQ(e.ErrorCode(), 10054);
      EXPECT_EQ(e.Message(), SocketErrorMessage(10054));
    }
    EXPECT_TRUE(client.IsOpen());
    EXPECT_FALSE(client.PeerClosed());
  }
  EXPECT_EQ(disconnects, 0);
  client.Close();
  EXPECT_EQ(disconnects, 1);
}

TEST_F(LineReadTest, ReceiveAfterShutdownCloses) {
  net.end = FakeNetwork::End::Shutdown;
  try {
    Read();
    FAIL() << "no error";
  } catch (const ENetSocketError& e) {
    EXPECT_EQ(e.Message(), SocketErrorMessage(10058));
  }
  EXPECT_EQ(disconnects, 1);
  EXPECT_FALSE(client.IsOpen());

  // With a partial line pending there is no error.
  client.Open();
  net.incoming = {"ab"};
  EXPECT_EQ(Read(), "");
  EXPECT_EQ(disconnects, 2);
  EXPECT_FALSE(client.IsOpen());
}

TEST_F(LineReadTest, ReadingWhenClosedRaises) {
  client.Close();
  EXPECT_THROW(Read(), EConnClosedGracefully);
}

TEST_F(LineReadTest, TakeInputChecksThePendingBytes) {
  net.incoming = {"abcdef"};
  Read();
  EXPECT_EQ(client.TakeInput(2), "ab");
  try {
    client.TakeInput(5);
    FAIL() << "no error";
  } catch (const ENotEnoughDataInBuffer& e) {
    EXPECT_EQ(e.Message(), kNotEnoughData);
  }
  EXPECT_EQ(client.TakeInput(4), "cdef");
  EXPECT_EQ(client.InputSize(), 0u);
}

TEST_F(LineReadTest, ALineWithoutEndIsCutAtTheBound) {
  const std::string stream = std::string(kMax + 10, 'x') + "yz\nnext\n";
  net.incoming = {stream};
  const std::string first = Read();
  EXPECT_EQ(first, std::string(kMax, 'x'));
  EXPECT_FALSE(client.LineTimedOut());
  // One call received no more than the bound: the rest is still with the platform.
  EXPECT_EQ(client.InputSize(), 0u);
  ASSERT_EQ(net.incoming.size(), 1u);
  EXPECT_EQ(net.incoming.front(), std::string(10, 'x') + "yz\nnext\n");
  EXPECT_EQ(Read(), std::string(10, 'x') + "yz");
  EXPECT_EQ(Read(), "next");
}

TEST_F(LineReadTest, LinesThatEndWithinTheBoundAreWhole) {
  const std::string longest = std::string(kMax - 2, 'a');
  net.incoming = {longest + "\r\n" + std::string(kMax - 1, 'b') + "\n" + "c\n"};
  EXPECT_EQ(Read(), longest);
  EXPECT_EQ(Read(), std::string(kMax - 1, 'b'));
  EXPECT_EQ(Read(), "c");
}

}  // namespace
