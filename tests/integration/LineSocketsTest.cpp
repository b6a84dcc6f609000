// The system's blocking sockets as the socket stack starts them: natively the POSIX sockets,
// under Wine "wsock32.dll" loaded at run time.
#include "platform/BlockingSockets.h"

#include <gtest/gtest.h>

namespace {

TEST(LineSockets, StartsVersion11AndRefusesVersion0) {
  std::unique_ptr<BlockingSockets> sockets = NewSystemSockets();
  SocketsVersion reported;
  ASSERT_EQ(sockets->Start(0x0101, reported), SocketsStart::Started);
  EXPECT_EQ(reported.version, 0x0101);
  EXPECT_FALSE(reported.description.empty());
  sockets->Stop();

  std::unique_ptr<BlockingSockets> refused = NewSystemSockets();
  EXPECT_EQ(refused->Start(0x0000, reported), SocketsStart::StartupFailed);
  refused->Stop();
}

TEST(LineSockets, ReportsFailuresWithWindowsSocketsCodes) {
  std::unique_ptr<BlockingSockets> sockets = NewSystemSockets();
  SocketsVersion reported;
  ASSERT_EQ(sockets->Start(0x0101, reported), SocketsStart::Started);
  std::array<uint8_t, 4> address{};
  EXPECT_FALSE(sockets->HostByName("zirk-nowhere.invalid", address));
  EXPECT_GE(sockets->LastError(), wsa::kHOST_NOT_FOUND);
  EXPECT_LE(sockets->LastError(), wsa::kNO_DATA);
  EXPECT_TRUE(sockets->HostByName("localhost", address));
  EXPECT_EQ(address, (std::array<uint8_t, 4>{127, 0, 0, 1}));

  const SocketHandle socket = sockets->Socket(sockets::kStream, 0);
  ASSERT_NE(socket, kInvalidSocket);
  char byte;
  EXPECT_EQ(sockets->Receive(socket, &byte, 1), kSocketError);
  EXPECT_EQ(sockets->LastError(), wsa::kENOTCONN);
  EXPECT_EQ(sockets->CloseSocket(socket), 0);
  sockets->Stop();
}

}  // namespace
