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
  net.end = FakeNetwork::End::Failed;  // would fail any receive
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

// How the connection ends (the peer's close, or a receive failing as Windows fails it), with and
// without bytes of an unfinished line pending: those come back as the last line, then the end is
// reported once, with OnDisconnected before the error.
TEST_F(LineReadTest, TheEndOfTheConnectionIsReportedOnceAfterTheLastBytes) {
  struct Row {
    FakeNetwork::End end;
    int code;  // 0: the close
  };
  const Row rows[] = {
      {FakeNetwork::End::Closed, 0},
      {FakeNetwork::End::Failed, wsa::kECONNRESET},
      {FakeNetwork::End::Failed, wsa::kESHUTDOWN},
      {FakeNetwork::End::Failed, wsa::kECONNABORTED},
      {FakeNetwork::End::Failed, wsa::kENETDOWN},
      {FakeNetwork::End::Failed, wsa::kENETUNREACH},
      {FakeNetwork::End::Failed, wsa::kENETRESET},
      {FakeNetwork::End::Failed, wsa::kENOTCONN},
      {FakeNetwork::End::Failed, wsa::kETIMEDOUT},
      {FakeNetwork::End::Failed, wsa::kEHOSTDOWN},
      {FakeNetwork::End::Failed, wsa::kEHOSTUNREACH},
      {FakeNetwork::End::Failed, wsa::kENOTSOCK},
      {FakeNetwork::End::Failed, wsa::kNOTINITIALISED},
  };
  for (const Row& row : rows) {
    for (const std::string last : {"", "Bye", "ab\r"}) {
      const std::string name = std::to_string(row.code) + " after '" + last + "'";
      client.Close();
      client.Open();
      disconnects = 0;
      net.incoming = {"line\n" + last};
      net.end = row.end;
      net.end_error = row.code;
      EXPECT_EQ(Read(), "line") << name;
      if (!last.empty()) {
        EXPECT_EQ(Read(), last) << name;
        EXPECT_FALSE(client.LineTimedOut()) << name;
        EXPECT_EQ(disconnects, 0) << name;
        EXPECT_TRUE(client.IsOpen()) << name;
      }
      const std::string error = row.code ? SocketErrorMessage(row.code) : kConnClosedGracefully;
      for (const std::string& expected : {error, std::string(kConnClosedGracefully)}) {
        try {
          Read();
          ADD_FAILURE() << name << ": no error";
        } catch (const ENetError& e) {
          EXPECT_EQ(e.Message(), expected) << name;
        }
        EXPECT_EQ(disconnects, 1) << name;
        EXPECT_FALSE(client.IsOpen()) << name;
      }
    }
  }
}

TEST_F(LineReadTest, AReceiveFailureThatDoesNotEndTheConnectionKeepsIt) {
  net.end = FakeNetwork::End::Failed;
  for (int code : {wsa::kENOBUFS, wsa::kEINTR, wsa::kEINPROGRESS, wsa::kEFAULT}) {
    net.end_error = code;
    for (int i = 0; i < 2; ++i) {
      try {
        Read();
        ADD_FAILURE() << code << ": no error";
      } catch (const ENetSocketError& e) {
        EXPECT_EQ(e.Message(), SocketErrorMessage(code));
      }
      EXPECT_TRUE(client.IsOpen()) << code;
    }
  }
  EXPECT_EQ(disconnects, 0);
}

// A peer that sends a byte now and then cannot hold one call beyond its time: bytes that arrive
// within it are kept for the next call, and a line is returned once it is whole.
TEST_F(LineReadTest, OneCallWaitsNoLongerThanItsTime) {
  for (int64_t gap_ms : {1, 3, 4, 6, 50}) {
    client.Close();
    client.Open();
    net.incoming = {"h", "e", "l", "l", "o", "\r", "\n"};
    net.gap_us = gap_ms * 1000;
    net.next_arrival_us = net.now_us;
    int calls = 0;
    std::string line;
    do {
      net.now_us += 500'000;  // the next tick
      const int64_t start = net.now_us;
      line = Read();
      EXPECT_LE(net.now_us - start, 5000) << gap_ms << " ms per byte";
      EXPECT_EQ(line, client.LineTimedOut() ? "" : "hello") << gap_ms << " ms per byte";
    } while (client.LineTimedOut() && ++calls < 20);
    EXPECT_EQ(line, "hello") << gap_ms << " ms per byte";
    EXPECT_EQ(client.InputSize(), 0u);
  }
  net.gap_us = 0;
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
