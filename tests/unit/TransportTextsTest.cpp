// Every fixed text of the transports pinned byte for byte: a text changes in its catalogue
// (transport/Texts.h) and in its row here; every other test names the texts.
#include "transport/Texts.h"

#include <gtest/gtest.h>

#include "platform/SystemErrorText.h"
#include "transport/line/NetComponent.h"

namespace {

using namespace transport_texts;

TEST(TransportTexts, PinnedByteForByte) {
  const std::pair<std::string, std::string> texts[] = {
      {kAlreadyConnected, "Already connected."},
      {kCannotAllocateSocket, "Cannot allocate socket."},
      {kCouldNotBindSocket, "Could not bind socket. Address and port are already in use."},
      {kSocketErrorFormat, "Socket Error # %d\r\n%s"},
      {kConnClosedGracefully, "Connection Closed Gracefully."},
      {kCouldNotLoad, "%s could not be loaded."},
      {kWinsockInitError, "Winsock Initialization Error."},
      {kSetSizeExceeded, "Set Size Exceeded."},
      {kNotEnoughData, "Not enough data in buffer."},
      {kNotAnInteger, "'%s' is not a valid integer value"},
      {kSocketsLibrary, "wsock32.dll"},
      {kStackName, "Winsock stack"},
      {std::string(LineStatusPattern(TLineStatus::stResolving)), "Resolving hostname %s."},
      {std::string(LineStatusPattern(TLineStatus::stConnecting)), "Connecting to %s."},
      {std::string(LineStatusPattern(TLineStatus::stConnected)), "Connected."},
      {std::string(LineStatusPattern(TLineStatus::stDisconnecting)), "Disconnecting from %s."},
      {std::string(LineStatusPattern(TLineStatus::stDisconnected)), "Not connected."},
      {std::string(LineStatusPattern(TLineStatus::stText)), "%s"},
      {kWindowsSocketErrorFormat, "Windows socket error: %s (%d), on API '%s'"},
      {kAsynchronousSocketErrorFormat, "Asynchronous socket error %d"},
      {kNoAddressSpecified, "No address specified"},
      {kCantCreateSocket, "Can't create new socket"},
      {kSocketAlreadyOpen, "Socket already open"},
      {kCantChangeWhileActive, "Can't change value while socket is active"},
      {kApiStartup, "WSAStartup"},
      {kApiCleanup, "WSACleanup"},
      {kApiGetHostByName, "WSAASyncGetHostByName"},
      {kApiGetServByName, "WSAASyncGetServByName"},
      {kApiCancelRequest, "WSACancelASyncRequest"},
      {kApiConnect, "connect"},
      {kApiCloseSocket, "closesocket"},
      {kApiSend, "send"},
      {kApiReceive, "recv"},
      {kApiAsyncLookup, "ASync Lookup"},
      // The formats filled.
      {SocketErrorMessage(10061), "Socket Error # 10061\r\nConnection refused."},
      {SocketErrorMessage(10005), "Socket Error # 10005\r\n"},
      {AsynchronousSocketErrorMessage(10061), "Asynchronous socket error 10061"},
      {WindowsSocketErrorMessage(11001, kApiAsyncLookup),
       "Windows socket error: " + SystemErrorText(11001) + " (11001), on API 'ASync Lookup'"},
      {WindowsSocketErrorMessage(0x7FFF0001, kApiSend),
       "Windows socket error:  (2147418113), on API 'send'"},
  };
  for (const auto& [text, pinned] : texts) EXPECT_EQ(text, pinned);

  const std::pair<int, const char*> socket_error_texts[] = {
      {10004, "Interrupted system call."},
      {10009, "Bad file number."},
      {10013, "Access denied."},
      {10014, "Bad address."},
      {10022, "Invalid argument."},
      {10024, "Too many open files."},
      {10035, "Operation would block. "},
      {10036, "Operation now in progress."},
      {10037, "Operation already in progress."},
      {10038, "Socket operation on non-socket."},
      {10039, "Destination address required."},
      {10040, "Message too long."},
      {10041, "Protocol wrong type for socket."},
      {10042, "Bad protocol option."},
      {10043, "Protocol not supported."},
      {10044, "Socket type not supported."},
      {10045, "Operation not supported on socket."},
      {10046, "Protocol family not supported."},
      {10047, "Address family not supported by protocol family."},
      {10048, "Address already in use."},
      {10049, "Cannot assign requested address."},
      {10050, "Network is down."},
      {10051, "Network is unreachable."},
      {10052, "Net dropped connection or reset."},
      {10053, "Software caused connection abort."},
      {10054, "Connection reset by peer."},
      {10055, "No buffer space available."},
      {10056, "Socket is already connected."},
      {10057, "Socket is not connected."},
      {10058, "Cannot send or receive after socket is closed."},
      {10059, "Too many references, cannot splice."},
      {10060, "Connection timed out."},
      {10061, "Connection refused."},
      {10062, "Too many levels of symbolic links."},
      {10063, "File name too long."},
      {10064, "Host is down."},
      {10065, "No route to host."},
      {10066, "Directory not empty"},
      // Codes without a row, inside the range and outside it.
      {10005, ""},
      {10067, ""},
      {10003, ""},
      {11001, ""},
      {11004, ""},
      {0, ""},
      {-1, ""},
  };
  for (auto [code, text] : socket_error_texts) EXPECT_EQ(SocketErrorText(code), text) << code;
}

}  // namespace
