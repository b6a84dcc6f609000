// The line client over the system's sockets against a scripted loopback peer: the same cases
// run natively over POSIX sockets and under Wine over wsock32.dll.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/LoopbackPeer.h"
#include "transport/Texts.h"
#include "transport/line/LineClient.h"
#include "transport/line/NetErrors.h"

namespace {

using namespace transport_texts;

class LineLoopbackTest : public ::testing::Test {
 protected:
  LineLoopbackTest() {
    client.OnConnected = [this](TObject*) { ++connects; };
    client.OnDisconnected = [this](TObject*) { ++disconnects; };
  }

  void Connect(const std::string& host = "127.0.0.1") {
    client.SetHost(host);
    client.SetPort(peer.Port());
    client.Open();
    ASSERT_TRUE(peer.Accept());
  }

  // Reads until a call returns a line (not a time-out) or the time passes; the line, or
  // nullopt after the time-out. An error reaches the caller.
  std::optional<std::string> ReadLineWithin(int timeout_ms = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < deadline) {
      std::string line = client.ReadLine("", 5);
      if (!client.LineTimedOut()) return line;
    }
    return std::nullopt;
  }

  // Reads until a call raises or the time passes; the error's message, or "" when none came.
  std::string ReadUntilError(int timeout_ms = 5000) {
    try {
      while (ReadLineWithin(timeout_ms)) {
      }
    } catch (const Exception& e) {
      return e.Message();
    }
    return std::string();
  }

  LoopbackPeer peer;
  TLineClient client;
  int connects = 0;
  int disconnects = 0;
};

TEST_F(LineLoopbackTest, ConnectsByAddressAndByLocalhost) {
  for (const char* host : {"127.0.0.1", "localhost", "LOCALHOST"}) {
    Connect(host);
    EXPECT_TRUE(client.IsOpen()) << host;
    EXPECT_EQ(client.Link().RemoteIP(), "127.0.0.1") << host;
    EXPECT_EQ(client.Link().RemotePort(), peer.Port()) << host;
    EXPECT_NE(client.Link().Port(), 0) << host;
    client.Close();
    EXPECT_TRUE(peer.WaitForClose()) << host;
  }
  EXPECT_EQ(connects, 3);
  EXPECT_EQ(disconnects, 3);
}

TEST_F(LineLoopbackTest, CutsWhatThePeerSendsIntoLines) {
  struct Row {
    const char* sent;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"abc\r\ndef\n", {"abc", "def"}},
      {"abc\r\r\n", {"abc\r"}},
      {"abc\n\rdef\n", {"abc", "\rdef"}},
      {"\n", {""}},
  };
  Connect();
  for (const Row& row : rows) {
    peer.Send(row.sent);
    for (const std::string& expected : row.lines) {
      EXPECT_EQ(ReadLineWithin(), expected) << row.sent;
    }
    EXPECT_EQ(client.ReadLine("", 5), "") << row.sent;
    EXPECT_TRUE(client.LineTimedOut()) << row.sent;
  }
}

TEST_F(LineLoopbackTest, APartialLineWaitsForItsEnd) {
  Connect();
  peer.Send("ab");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (client.InputSize() < 2 && std::chrono::steady_clock::now() < deadline) {
    EXPECT_EQ(client.ReadLine("", 5), "");
    EXPECT_TRUE(client.LineTimedOut());
  }
  ASSERT_EQ(client.InputSize(), 2u);
  peer.Send("c\n");
  EXPECT_EQ(ReadLineWithin(), "abc");
}

TEST_F(LineLoopbackTest, BytesPassUnchangedBothWays) {
  const std::string bytes("\x00\x01\x7f\x80\xc0\xe9\xff z", 9);
  Connect();
  client.WriteLine(bytes);
  client.WriteLine("");
  client.WriteLine("end");
  EXPECT_EQ(peer.Receive(bytes.size() + 9), bytes + "\r\n\r\nend\r\n");
  peer.Send(bytes + "\r\n");
  EXPECT_EQ(ReadLineWithin(), bytes);
}

TEST_F(LineLoopbackTest, PeerSendsByeAndCloses) {
  Connect();
  peer.Send("bye\r\n");
  peer.Close();
  EXPECT_EQ(ReadLineWithin(), "bye");
  EXPECT_EQ(disconnects, 0);
  EXPECT_EQ(ReadUntilError(), kConnClosedGracefully);
  EXPECT_EQ(disconnects, 1);
  EXPECT_FALSE(client.IsOpen());
}

TEST_F(LineLoopbackTest, OpenWhileOpenAndCloseTwice) {
  Connect();
  EXPECT_THROW(client.Open(), EAlreadyConnected);
  EXPECT_EQ(connects, 1);
  client.WriteLine("still");
  EXPECT_EQ(peer.Receive(7), "still\r\n");
  client.Close();
  client.Close();
  EXPECT_EQ(disconnects, 1);
  EXPECT_TRUE(peer.WaitForClose());
  EXPECT_THROW(client.WriteLine("x"), EConnClosedGracefully);
}

TEST_F(LineLoopbackTest, BindToAnAddressThatIsNotLocal) {
  client.SetBoundIP("192.0.2.1");
  client.SetHost("127.0.0.1");
  client.SetPort(peer.Port());
  try {
    client.Open();
    FAIL() << "no error";
  } catch (const ENetSocketError& e) {
    EXPECT_EQ(e.Message(), SocketErrorMessage(10049));
  }
  EXPECT_EQ(disconnects, 1);
}

TEST_F(LineLoopbackTest, OnlyTheLow16BitsOfThePortCount) {
  client.SetHost("127.0.0.1");
  for (int32_t port : {peer.Port() + 65536, peer.Port() - 65536}) {
    client.SetPort(port);
    client.Open();
    ASSERT_TRUE(peer.Accept()) << port;
    EXPECT_EQ(client.Link().RemotePort(), peer.Port());
    client.Close();
  }
  // 65536 behaves as port 0 and -1 as port 65535, whatever the platform makes of those.
  auto outcome = [this](int32_t port) {
    client.SetPort(port);
    try {
      client.Open();
      client.Close();
      return std::string("connected");
    } catch (const Exception& e) {
      return e.Message();
    }
  };
  EXPECT_EQ(outcome(65536), outcome(0));
  EXPECT_EQ(outcome(-1), outcome(65535));
}

TEST_F(LineLoopbackTest, ALineWithoutEndComesBackInPiecesOfTheBound) {
  constexpr size_t kMax = TLineConnection::kMaxLineLength;
  Connect();
  std::thread sender([this] { peer.Send(std::string(kMax + 5, 'x') + "\nnext\n"); });
  EXPECT_EQ(ReadLineWithin(), std::string(kMax, 'x'));
  EXPECT_LE(client.InputSize(), kMax);
  EXPECT_EQ(ReadLineWithin(), "xxxxx");
  EXPECT_EQ(ReadLineWithin(), "next");
  sender.join();
}

}  // namespace
