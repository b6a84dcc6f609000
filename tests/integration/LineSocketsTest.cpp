// The system's sockets as the socket stack starts them: natively the POSIX sockets, under Wine
// "wsock32.dll" loaded at run time.
#include "platform/Sockets.h"

#include <gtest/gtest.h>

#include "transport/Texts.h"

namespace {

using transport_texts::kSocketsLibrary;

TEST(LineSockets, StartsVersion11AndRefusesVersion0) {
  std::unique_ptr<Sockets> sockets = NewSystemSockets(nullptr, nullptr);
  SocketsVersion reported;
  ASSERT_EQ(sockets->Start(kSocketsLibrary, 0x0101, reported), SocketsStart::Started);
  EXPECT_EQ(reported.version, 0x0101);
  EXPECT_FALSE(reported.description.empty());
  EXPECT_EQ(sockets->Stop(), 0);

  std::unique_ptr<Sockets> refused = NewSystemSockets(nullptr, nullptr);
  EXPECT_EQ(refused->Start(kSocketsLibrary, 0x0000, reported), SocketsStart::StartupFailed);
  EXPECT_EQ(refused->LastError(), wsa::kVERNOTSUPPORTED);
  EXPECT_EQ(refused->Stop(), 0);
}

TEST(LineSockets, ReportsFailuresWithWindowsSocketsCodes) {
  std::unique_ptr<Sockets> sockets = NewSystemSockets(nullptr, nullptr);
  SocketsVersion reported;
  ASSERT_EQ(sockets->Start(kSocketsLibrary, 0x0101, reported), SocketsStart::Started);
  Ipv4Address address{};
  EXPECT_FALSE(sockets->HostByName("zirk-nowhere.invalid", address));
  EXPECT_GE(sockets->LastError(), wsa::kHOST_NOT_FOUND);
  EXPECT_LE(sockets->LastError(), wsa::kNO_DATA);
  EXPECT_TRUE(sockets->HostByName("localhost", address));
  EXPECT_EQ(address, (Ipv4Address{127, 0, 0, 1}));

  const SocketHandle socket = sockets->Socket(sockets::kStream, 0);
  ASSERT_NE(socket, kInvalidSocket);
  char byte;
  EXPECT_EQ(sockets->Receive(socket, &byte, 1), kSocketError);
  EXPECT_EQ(sockets->LastError(), wsa::kENOTCONN);
  EXPECT_EQ(sockets->CloseSocket(socket), 0);
  sockets->Stop();
}

}  // namespace
