// The loopback listener of the window benchmarks' peers, on a port the system chooses.
#pragma once

#include <winsock2.h>

// Starts Windows Sockets and listens on 127.0.0.1; port receives the chosen port (host order).
inline SOCKET ListenOnLoopback(unsigned short& port) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener, 1);
  int length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return listener;
}
