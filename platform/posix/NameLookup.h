// Blocking name look-ups with Windows Sockets error numbers; the asynchronous look-ups run
// them on a worker thread.
#pragma once

#include <cstdint>
#include <string>

#include "platform/SocketTypes.h"

namespace posix_lookup {

// The first IPv4 address of host and 0, or a Windows Sockets code. An empty name is the local
// host, as on Windows.
int ResolveHost(const std::string& host, Ipv4Address& address);
// The port of a TCP service (network byte order) and 0, or a Windows Sockets code.
int ResolveService(const std::string& service, uint16_t& port);

}  // namespace posix_lookup
