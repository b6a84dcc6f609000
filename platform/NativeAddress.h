// The one conversion between SocketAddress and the system's sockaddr_in, whose fields have the
// same names and meaning on every system; each back end uses it with its own type.
#pragma once

#include <cstring>

#include "platform/SocketTypes.h"

template <typename SockaddrIn>
SockaddrIn ToNativeAddress(const SocketAddress& address, int family) {
  SockaddrIn native{};
  native.sin_family = static_cast<decltype(native.sin_family)>(family);
  native.sin_port = address.port;
  std::memcpy(&native.sin_addr, address.address.data(), address.address.size());
  return native;
}

template <typename SockaddrIn>
SocketAddress FromNativeAddress(const SockaddrIn& native) {
  SocketAddress address;
  address.port = native.sin_port;
  std::memcpy(address.address.data(), &native.sin_addr, address.address.size());
  return address;
}
