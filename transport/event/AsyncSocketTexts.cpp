#include "transport/event/AsyncSocketTexts.h"

#include "core/Format.h"
#include "platform/SystemErrorText.h"

namespace event_texts {

const char kWindowsSocketError[] = "Windows socket error: %s (%d), on API '%s'";
const char kAsynchronousSocketError[] = "Asynchronous socket error %d";
const char kNoAddressSpecified[] = "No address specified";
const char kCantCreateSocket[] = "Can't create new socket";
const char kSocketAlreadyOpen[] = "Socket already open";
const char kCantChangeWhileActive[] = "Can't change value while socket is active";

const char kApiStartup[] = "WSAStartup";
const char kApiCleanup[] = "WSACleanup";
const char kApiGetHostByName[] = "WSAASyncGetHostByName";
const char kApiGetServByName[] = "WSAASyncGetServByName";
const char kApiCancelRequest[] = "WSACancelASyncRequest";
const char kApiConnect[] = "connect";
const char kApiCloseSocket[] = "closesocket";
const char kApiSend[] = "send";
const char kApiReceive[] = "recv";
const char kApiAsyncLookup[] = "ASync Lookup";

}  // namespace event_texts

std::string WindowsSocketErrorMessage(int32_t code, const char* api) {
  return Format(event_texts::kWindowsSocketError,
                {std::string_view(SystemErrorText(code)), int64_t{code}, std::string_view(api)});
}

std::string AsynchronousSocketErrorMessage(int32_t code) {
  return Format(event_texts::kAsynchronousSocketError, {int64_t{code}});
}
