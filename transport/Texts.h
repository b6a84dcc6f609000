// Every fixed text of the transports, once, byte for byte: the messages and formats of their
// errors, the names of the calls that the socket error message names, the socket error texts,
// the line status patterns and the names of the socket stack. The functions below fill them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/SocketTypes.h"

namespace transport_texts {

// Errors of the line transport and its socket stack.
inline constexpr char kAlreadyConnected[] = "Already connected.";
inline constexpr char kCannotAllocateSocket[] = "Cannot allocate socket.";
inline constexpr char kCouldNotBindSocket[] =
    "Could not bind socket. Address and port are already in use.";
inline constexpr char kSocketErrorFormat[] =
    "Socket Error # %d\r\n%s";  // code, SocketErrorText(code)
inline constexpr char kConnClosedGracefully[] = "Connection Closed Gracefully.";
inline constexpr char kCouldNotLoad[] = "%s could not be loaded.";  // the library's name
inline constexpr char kWinsockInitError[] = "Winsock Initialization Error.";
inline constexpr char kSetSizeExceeded[] = "Set Size Exceeded.";
inline constexpr char kNotEnoughData[] = "Not enough data in buffer.";
inline constexpr char kNotAnInteger[] = "'%s' is not a valid integer value";  // the text

// The socket stack: the library it loads and the name of what it reported at start-up.
inline constexpr char kSocketsLibrary[] = "wsock32.dll";
inline constexpr char kStackName[] = "Winsock stack";

// The line status patterns, each formatted with the one argument of its report.
inline constexpr char kStatusResolving[] = "Resolving hostname %s.";
inline constexpr char kStatusConnecting[] = "Connecting to %s.";
inline constexpr char kStatusConnected[] = "Connected.";
inline constexpr char kStatusDisconnecting[] = "Disconnecting from %s.";
inline constexpr char kStatusDisconnected[] = "Not connected.";
inline constexpr char kStatusText[] = "%s";

// Errors of the event-driven transport.
inline constexpr char kWindowsSocketErrorFormat[] =
    "Windows socket error: %s (%d), on API '%s'";  // system text, code, call
inline constexpr char kAsynchronousSocketErrorFormat[] = "Asynchronous socket error %d";
inline constexpr char kNoAddressSpecified[] = "No address specified";
inline constexpr char kCantCreateSocket[] = "Can't create new socket";
inline constexpr char kSocketAlreadyOpen[] = "Socket already open";
inline constexpr char kCantChangeWhileActive[] = "Can't change value while socket is active";

// The calls that kWindowsSocketErrorFormat names.
inline constexpr char kApiStartup[] = "WSAStartup";
inline constexpr char kApiCleanup[] = "WSACleanup";
inline constexpr char kApiGetHostByName[] = "WSAASyncGetHostByName";
inline constexpr char kApiGetServByName[] = "WSAASyncGetServByName";
inline constexpr char kApiCancelRequest[] = "WSACancelASyncRequest";
inline constexpr char kApiConnect[] = "connect";
inline constexpr char kApiCloseSocket[] = "closesocket";
inline constexpr char kApiSend[] = "send";
inline constexpr char kApiReceive[] = "recv";
inline constexpr char kApiAsyncLookup[] = "ASync Lookup";

// The texts of the Windows Sockets codes in the line transport's messages (note the blank after
// "block." and the missing period after "empty"); every other code has the empty text.
struct SocketErrorRow {
  int code;
  const char* text;
};
inline constexpr SocketErrorRow kSocketErrorTexts[] = {
    {wsa::kEINTR, "Interrupted system call."},
    {wsa::kEBADF, "Bad file number."},
    {wsa::kEACCES, "Access denied."},
    {wsa::kEFAULT, "Bad address."},
    {wsa::kEINVAL, "Invalid argument."},
    {wsa::kEMFILE, "Too many open files."},
    {wsa::kEWOULDBLOCK, "Operation would block. "},
    {wsa::kEINPROGRESS, "Operation now in progress."},
    {wsa::kEALREADY, "Operation already in progress."},
    {wsa::kENOTSOCK, "Socket operation on non-socket."},
    {wsa::kEDESTADDRREQ, "Destination address required."},
    {wsa::kEMSGSIZE, "Message too long."},
    {wsa::kEPROTOTYPE, "Protocol wrong type for socket."},
    {wsa::kENOPROTOOPT, "Bad protocol option."},
    {wsa::kEPROTONOSUPPORT, "Protocol not supported."},
    {wsa::kESOCKTNOSUPPORT, "Socket type not supported."},
    {wsa::kEOPNOTSUPP, "Operation not supported on socket."},
    {wsa::kEPFNOSUPPORT, "Protocol family not supported."},
    {wsa::kEAFNOSUPPORT, "Address family not supported by protocol family."},
    {wsa::kEADDRINUSE, "Address already in use."},
    {wsa::kEADDRNOTAVAIL, "Cannot assign requested address."},
    {wsa::kENETDOWN, "Network is down."},
    {wsa::kENETUNREACH, "Network is unreachable."},
    {wsa::kENETRESET, "Net dropped connection or reset."},
    {wsa::kECONNABORTED, "Software caused connection abort."},
    {wsa::kECONNRESET, "Connection reset by peer."},
    {wsa::kENOBUFS, "No buffer space available."},
    {wsa::kEISCONN, "Socket is already connected."},
    {wsa::kENOTCONN, "Socket is not connected."},
    {wsa::kESHUTDOWN, "Cannot send or receive after socket is closed."},
    {wsa::kETOOMANYREFS, "Too many references, cannot splice."},
    {wsa::kETIMEDOUT, "Connection timed out."},
    {wsa::kECONNREFUSED, "Connection refused."},
    {wsa::kELOOP, "Too many levels of symbolic links."},
    {wsa::kENAMETOOLONG, "File name too long."},
    {wsa::kEHOSTDOWN, "Host is down."},
    {wsa::kEHOSTUNREACH, "No route to host."},
    {wsa::kENOTEMPTY, "Directory not empty"},
};

}  // namespace transport_texts

// The text of a Windows Sockets code in kSocketErrorTexts; empty for every other code.
std::string_view SocketErrorText(int code);
// kSocketErrorFormat with code and its text.
std::string SocketErrorMessage(int code);
// kWindowsSocketErrorFormat with the system's text for code, code and the call's name.
std::string WindowsSocketErrorMessage(int32_t code, std::string_view api);
// kAsynchronousSocketErrorFormat with code.
std::string AsynchronousSocketErrorMessage(int32_t code);
