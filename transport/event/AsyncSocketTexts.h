// The event-driven transport's messages, byte for byte, and the names of the calls they name.
#pragma once

#include <cstdint>
#include <string>

namespace event_texts {

extern const char kWindowsSocketError[];       // "Windows socket error: %s (%d), on API '%s'"
extern const char kAsynchronousSocketError[];  // "Asynchronous socket error %d"
extern const char kNoAddressSpecified[];       // "No address specified"
extern const char kCantCreateSocket[];         // "Can't create new socket"
extern const char kSocketAlreadyOpen[];        // "Socket already open"
extern const char kCantChangeWhileActive[];    // "Can't change value while socket is active"

// The third value of kWindowsSocketError.
extern const char kApiStartup[];
extern const char kApiCleanup[];
extern const char kApiGetHostByName[];
extern const char kApiGetServByName[];
extern const char kApiCancelRequest[];
extern const char kApiConnect[];
extern const char kApiCloseSocket[];
extern const char kApiSend[];
extern const char kApiReceive[];
extern const char kApiAsyncLookup[];

}  // namespace event_texts

// kWindowsSocketError with the system's text for code, code and api.
std::string WindowsSocketErrorMessage(int32_t code, const char* api);
// kAsynchronousSocketError with code.
std::string AsynchronousSocketErrorMessage(int32_t code);
