// Both transports against servers that misbehave, over the system's sockets (natively and under
// Wine): every byte received is accounted for, the connection ends at most once, and nothing
// but the transports' own errors comes out. How a reset reads differs (Linux and Windows report
// it, Wine reads it as a close); the fake socket layer pins the Windows behaviour.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "fakes/FakeErrorRoute.h"
#include "integration/LineHarness.h"
#include "platform/EventLoop.h"
#include "support/HostilePeer.h"
#include "transport/Texts.h"
#include "transport/event/EventClient.h"
#include "transport/line/LineClient.h"
#include "transport/line/NetErrors.h"

namespace {

using namespace transport_texts;
using Clock = std::chrono::steady_clock;
using Step = PeerStep;

constexpr auto kRowTimeout = std::chrono::seconds(120);

// How the connection should stand at the end: still open, closed by the peer, or reset (which
// Wine reads as a close).
enum class End { Open, Closed, Reset };

struct Row {
  std::string name;
  PeerScript script;
  End end;
};

std::string EveryByteValue() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes;
}

std::string ManyLines(int count, size_t length) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    std::string line = std::to_string(i);
    line.resize(length, '.');
    lines += line + "\r\n";
  }
  return lines;
}

std::vector<Row> Rows() {
  std::vector<Row> rows = {
      {"64 MiB without a line end, then one",
       {Step::Send(std::string(64 << 20, 'x')), Step::Send("\n")},
       End::Open},
      {"NUL bytes at the start, middle and end, and only NULs",
       {Step::Send(std::string("\0ab\na\0b\r\nab\0\n\0\0\0\n", 17))},
       End::Open},
      {"every byte value", {Step::Send(EveryByteValue() + "\r\n")}, End::Open},
      {"a reset in the middle of a line",
       {Step::Send("hal"), Step::AwaitTaken(3), Step::Reset()},
       End::Reset},
      {"a reset while idle", {Step::Reset()}, End::Reset},
      {"a half-close with data pending",
       {Step::Send("l1\r\nl2\npartial"), Step::ShutdownSend()},
       End::Closed},
      {"last words and a close", {Step::Send("Bye"), Step::Close()}, End::Closed},
      {"accepted, then silence", {}, End::Open},
      {"100,000 lines of 80 bytes in one send", {Step::Send(ManyLines(100'000, 80))}, End::Open},
  };
  for (int ms : {1, 4, 6, 50}) {
    rows.push_back({"hello at " + std::to_string(ms) + " ms per byte",
                    {Step::Trickle("hello\r\n", ms)},
                    End::Open});
  }
  return rows;
}

// The errors a row may end with on the line transport.
bool LineEndAllowed(End end, const std::vector<std::string>& errors) {
  switch (end) {
    case End::Open:
      return errors.empty();
    case End::Closed:
      return errors == std::vector<std::string>{kConnClosedGracefully};
    case End::Reset:
      return errors == std::vector<std::string>{kConnClosedGracefully} ||
             errors == std::vector<std::string>{SocketErrorMessage(wsa::kECONNRESET)};
  }
  return false;
}

TEST(HostilePeerTest, TheLineTransportAccountsForEveryByte) {
  for (const Row& row : Rows()) {
    const std::string sent = HostilePeer::Sent(row.script);
    HostilePeer peer;
    OpenLineClient line(peer.Port());  // goes first, so that a peer blocked in a send is released
    TLineClient& client = line.client;
    peer.Play(row.script);

    std::vector<std::string> lines;
    std::vector<std::string> errors;
    size_t line_bytes = 0;
    int quiet = 0;  // reads in a row that found nothing after the script ended
    const auto deadline = Clock::now() + kRowTimeout;
    while (client.IsOpen() && quiet < 3 && Clock::now() < deadline) {
      try {
        std::string line = client.ReadLine("", 5);
        if (!client.LineTimedOut()) {
          line_bytes += line.size();
          lines.push_back(std::move(line));
        }
      } catch (const ENetError& e) {
        errors.push_back(e.Message());
      }
      peer.taken = line_bytes + client.InputSize();
      const bool idle = client.LineTimedOut() && client.InputSize() == 0;
      quiet = peer.Finished() && idle && row.end == End::Open ? quiet + 1 : 0;
    }
    EXPECT_EQ(AccountLines(sent, lines, client.InputSize(), TLineConnection::kMaxLineLength,
                           row.end != End::Open),
              "")
        << row.name;
    EXPECT_TRUE(LineEndAllowed(row.end, errors))
        << row.name << ": " << testing::PrintToString(errors);
    EXPECT_EQ(client.IsOpen(), row.end == End::Open) << row.name;
    EXPECT_EQ(line.disconnects, row.end == End::Open ? 0 : 1) << row.name;
  }
}

// Runs the event loop until done() holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, Clock::duration timeout = kRowTimeout) {
  const auto deadline = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    RunPendingEvents(5);
  }
  return true;
}

// The event-driven transport's client with what it received and how it ended.
struct EventSide {
  explicit EventSide(uint16_t port) {
    client.OnRead = [this](TObject*, TAsyncSocket* socket) { received += socket->ReceiveString(); };
    client.OnDisconnect = [this](TObject*, TAsyncSocket*) { ++disconnects; };
    client.SetHost("127.0.0.1");
    client.SetPort(port);
    client.SetActive(true);
  }

  bool Ended() const { return disconnects > 0 || !route.messages.empty(); }

  // Whether the client ended as it may: not at all, by the peer's close, or by a reset (or an
  // abort), which reads as a close (Wine), fails a receive (dropping the connection) or comes
  // with the close notification (leaving it active until the user disconnects).
  bool EndAllowed(End end) const {
    if (client.Active() != (disconnects == 0)) return false;
    if (end == End::Open) return disconnects == 0 && route.messages.empty();
    if (disconnects == 1 && route.messages.empty()) return true;
    if (end != End::Reset || route.messages.size() != 1) return false;
    const std::string& message = route.messages[0];
    for (int code : {wsa::kECONNRESET, wsa::kECONNABORTED}) {
      if (disconnects == 1 && message == WindowsSocketErrorMessage(code, kApiReceive)) return true;
      if (disconnects == 0 && message == AsynchronousSocketErrorMessage(code)) return true;
    }
    return false;
  }

  FakeErrorRoute route;
  TEventClient client{nullptr};
  std::string received;
  int disconnects = 0;
};

TEST(HostilePeerTest, TheEventTransportAccountsForEveryByte) {
  for (const Row& row : Rows()) {
    const std::string sent = HostilePeer::Sent(row.script);
    HostilePeer peer;
    EventSide side(peer.Port());
    ASSERT_TRUE(PumpUntil([&] { return side.client.Active(); }, std::chrono::seconds(10)));
    peer.Play(row.script);
    PumpUntil([&] {
      peer.taken = side.received.size();
      if (row.end != End::Open) return side.Ended();
      return peer.Finished() && side.received.size() == sent.size();
    });
    // A second disconnect or a late error would show now.
    PumpUntil([] { return false; }, std::chrono::milliseconds(20));
    EXPECT_TRUE(side.received == sent)
        << row.name << ": received " << side.received.size() << " of " << sent.size();
    EXPECT_TRUE(side.EndAllowed(row.end))
        << row.name << ": " << side.disconnects << " disconnects, "
        << testing::PrintToString(side.route.messages);
  }
}

TEST(HostilePeerTest, AThousandRefusedConnectsEachFailOnce) {
  const uint16_t refused = LoopbackPeer::RefusedPort();
  TLineClient line;
  int line_disconnects = 0;
  line.OnDisconnected = [&](TObject*) { ++line_disconnects; };
  line.SetHost("127.0.0.1");
  line.SetPort(refused);
  EventSide event(refused);
  for (int i = 0; i < 1000; ++i) {
    try {
      line.Open();
      ADD_FAILURE() << "connected to a refused port";
    } catch (const ENetSocketError& e) {
      ASSERT_EQ(e.ErrorCode(), wsa::kECONNREFUSED);
    }
    if (i > 0) event.client.SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return event.route.messages.size() == size_t(i) + 1; },
                          std::chrono::seconds(10)));
  }
  EXPECT_EQ(line_disconnects, 1000);
  EXPECT_FALSE(line.IsOpen());
  EXPECT_EQ(event.route.messages,
            std::vector<std::string>(1000, AsynchronousSocketErrorMessage(wsa::kECONNREFUSED)));
  EXPECT_EQ(event.disconnects, 0);
}

// The peer reads a little, then closes while 1 MiB is on its way: the send or the read after it
// ends the connection, once, whichever sees the close first.
TEST(HostilePeerTest, ThePeerClosesWhileWeSendAMebibyte) {
  const PeerScript script = {Step::Receive(64 * 1024), Step::Close()};
  const std::string mebibyte(1 << 20, 'm');
  {
    HostilePeer peer;
    OpenLineClient line(peer.Port());
    TLineClient& client = line.client;
    peer.Play(script);
    std::vector<std::string> errors;
    const auto deadline = Clock::now() + kRowTimeout;
    for (bool sending = true; client.IsOpen() && Clock::now() < deadline; sending = false) {
      try {
        if (sending) client.WriteLine(mebibyte);
        client.ReadLine("", 5);
      } catch (const ENetError& e) {
        errors.push_back(e.Message());
      }
    }
    EXPECT_EQ(line.disconnects, 1);
    ASSERT_EQ(errors.size(), 1u);
    const std::string allowed[] = {kConnClosedGracefully, SocketErrorMessage(wsa::kECONNRESET),
                                   SocketErrorMessage(wsa::kECONNABORTED),
                                   SocketErrorMessage(wsa::kESHUTDOWN)};
    EXPECT_NE(std::find(std::begin(allowed), std::end(allowed), errors[0]), std::end(allowed))
        << errors[0];
  }
  {
    HostilePeer peer;
    EventSide side(peer.Port());
    ASSERT_TRUE(PumpUntil([&] { return side.client.Active(); }, std::chrono::seconds(10)));
    peer.Play(script);
    side.client.SendString(mebibyte);
    EXPECT_TRUE(PumpUntil([&] { return side.Ended(); }));
    PumpUntil([] { return false; }, std::chrono::milliseconds(20));
    EXPECT_TRUE(side.EndAllowed(End::Reset))
        << side.disconnects << " disconnects, " << testing::PrintToString(side.route.messages);
  }
}

}  // namespace
