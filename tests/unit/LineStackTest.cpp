// The socket stack over a fake socket layer: start-up and its errors, the stack's lifetime,
// host texts, and the socket errors with their texts.
#include "transport/line/SocketStack.h"

#include <gtest/gtest.h>

#include "core/Format.h"
#include "fakes/FakeSockets.h"
#include "transport/Texts.h"
#include "transport/line/LineClient.h"
#include "transport/line/NetErrors.h"

namespace {

using namespace transport_texts;

class LineStackTest : public ::testing::Test {
 protected:
  FakeNetwork net;
  FakeSocketsScope scope{net};
};

TEST_F(LineStackTest, LivesFromTheFirstComponentToTheLastAndAsksForVersion11) {
  EXPECT_EQ(SocketStack(), nullptr);
  {
    TLineClient first;
    ASSERT_NE(SocketStack(), nullptr);
    EXPECT_EQ(net.calls, std::vector<std::string>{"WSAStartup 257"});
    auto* stack = dynamic_cast<TWinsockStack*>(SocketStack());
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->StackVersion().Name, kStackName);
    EXPECT_EQ(stack->StackVersion().Reported.version, 0x0101);
    {
      TLineClient second;
      EXPECT_EQ(StackUsers(), 2);
      EXPECT_EQ(SocketStack(), stack);
    }
    EXPECT_EQ(StackUsers(), 1);
    EXPECT_TRUE(net.started);
  }
  EXPECT_EQ(StackUsers(), 0);
  EXPECT_EQ(SocketStack(), nullptr);
  EXPECT_FALSE(net.started);
  EXPECT_EQ(net.calls.back(), "WSACleanup");
}

TEST_F(LineStackTest, StartUpErrors) {
  net.library_missing = true;
  try {
    TLineClient client;
    FAIL() << "no error";
  } catch (const EStackCannotLoadWinsock& e) {
    EXPECT_EQ(e.Message(), Format(kCouldNotLoad, {kSocketsLibrary}));
  }
  EXPECT_EQ(StackUsers(), 0);
  EXPECT_EQ(SocketStack(), nullptr);

  net.library_missing = false;
  net.startup_error = wsa::kSYSNOTREADY;
  try {
    TLineClient client;
    FAIL() << "no error";
  } catch (const EStackInitFailed& e) {
    EXPECT_EQ(e.Message(), kWinsockInitError);
    EXPECT_NE(dynamic_cast<const EStackError*>(&e), nullptr);
  }
  EXPECT_EQ(StackUsers(), 0);
}

TEST_F(LineStackTest, IsDottedQuad) {
  const std::pair<const char*, bool> rows[] = {
      {"127.0.0.1", true}, {"0.0.0.0", true},    {"255.255.255.255", true}, {"256.1.1.1", false},
      {"1.2.3", false},    {"1.2.3.4.5", false}, {"localhost", false},      {"LOCALHOST", false},
      {"", false},         {"1..2.3", false},    {"a.b.c.d", false},        {"-1.0.0.1", false},
      {"1.2.3.4.", false}, {"$7F.0.0.1", true},  {"0x7f.0.0.1", true},      {" 1.2.3.4", true},
      {"+1.2.3.4", true},  {"1.2.3.4 ", false},  {"example.org", false}};
  for (auto [text, expected] : rows) EXPECT_EQ(TSocketStack::IsDottedQuad(text), expected) << text;
}

TEST_F(LineStackTest, LookupHost) {
  TLineClient client;
  TSocketStack& stack = *SocketStack();
  net.hosts["example.org"] = {192, 0, 2, 7};
  net.calls.clear();
  EXPECT_EQ(stack.LookupHost("localhost"), "127.0.0.1");
  EXPECT_EQ(stack.LookupHost("LocalHost"), "127.0.0.1");
  EXPECT_EQ(stack.LookupHost("10.1.2.3"), "10.1.2.3");
  EXPECT_TRUE(net.calls.empty()) << "no look-up for localhost or an address";
  EXPECT_EQ(stack.LookupHost("example.org"), "192.0.2.7");
  // Texts that only look like addresses are names.
  net.hosts["256.1.1.1"] = {1, 1, 1, 1};
  EXPECT_EQ(stack.LookupHost("256.1.1.1"), "1.1.1.1");
  EXPECT_EQ(net.calls,
            (std::vector<std::string>{"gethostbyname example.org", "gethostbyname 256.1.1.1"}));
  try {
    stack.LookupHost("1.2.3");
    FAIL() << "no error";
  } catch (const ENetSocketError& e) {
    EXPECT_EQ(e.ErrorCode(), 11001);
    EXPECT_EQ(e.Message(), SocketErrorMessage(11001));
  }
}

TEST_F(LineStackTest, AddressTexts) {
  EXPECT_EQ(TSocketStack::AddressToText({10, 0, 200, 255}), "10.0.200.255");
  EXPECT_EQ(TSocketStack::TextToAddress("192.168.0.1"), (std::array<uint8_t, 4>{192, 168, 0, 1}));
  // A part above 255 keeps its low byte.
  EXPECT_EQ(TSocketStack::TextToAddress("300.0.0.1"), (std::array<uint8_t, 4>{44, 0, 0, 1}));
  try {
    TSocketStack::TextToAddress("1.2.x.4");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), Format(kNotAnInteger, {"x"}));
  }
}

TEST_F(LineStackTest, ThrowSocketErrorAndCheckSocketCall) {
  try {
    TSocketStack::ThrowSocketError(10061);
    FAIL() << "no error";
  } catch (const ENetSocketError& e) {
    EXPECT_EQ(e.ErrorCode(), 10061);
    EXPECT_EQ(e.Message(), SocketErrorMessage(10061));
  }
  try {
    TSocketStack::ThrowSocketError(10005);
    FAIL() << "no error";
  } catch (const ENetError& e) {
    EXPECT_EQ(e.Message(), SocketErrorMessage(10005));
  }

  TLineClient client;
  TSocketStack& stack = *SocketStack();
  EXPECT_FALSE(stack.CheckSocketCall(0));
  EXPECT_FALSE(stack.CheckSocketCall(5, {10048}));
  net.bind_error = 10048;
  EXPECT_TRUE(stack.CheckSocketCall(stack.Bind(1, "", 0), {10048}));
  EXPECT_THROW(stack.CheckSocketCall(stack.Bind(1, "", 0)), ENetSocketError);
  EXPECT_THROW(stack.CheckSocketCall(stack.Bind(1, "", 0), {10061, 10054}), ENetSocketError);
}

TEST_F(LineStackTest, SelectTakesAtMost64Sockets) {
  TLineClient client;
  TSocketStack& stack = *SocketStack();
  EXPECT_EQ(stack.Select(std::vector<SocketHandle>(64, 7), nullptr), 0);
  try {
    stack.Select(std::vector<SocketHandle>(65, 7), nullptr);
    FAIL() << "no error";
  } catch (const EStackSetSizeExceeded& e) {
    EXPECT_EQ(e.Message(), kSetSizeExceeded);
  }
}

TEST_F(LineStackTest, EveryErrorIsShownNoneIsSilent) {
  const ECouldNotBindSocket bind;
  const EConnClosedGracefully closed;
  const ENotEnoughDataInBuffer buffer;
  for (const Exception* e : std::initializer_list<const Exception*>{&bind, &closed, &buffer}) {
    EXPECT_NE(dynamic_cast<const ENetError*>(e), nullptr);
    EXPECT_EQ(dynamic_cast<const EAbort*>(e), nullptr);
  }
}

}  // namespace
