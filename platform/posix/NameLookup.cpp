#include "platform/posix/NameLookup.h"

#include <netdb.h>
#include <netinet/in.h>

#include "platform/SocketTypes.h"
#include "platform/posix/ErrorNumbers.h"

namespace posix_lookup {

int ResolveHost(const std::string& host, uint32_t& address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  int status = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
  if (status != 0) return WinsockErrorFromAddrInfo(status);
  address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(found);
  return 0;
}

int ResolveService(const std::string& service, uint16_t& port) {
  servent entry{};
  servent* result = nullptr;
  char buffer[1024];
  if (::getservbyname_r(service.c_str(), "tcp", &entry, buffer, sizeof buffer, &result) != 0 ||
      result == nullptr) {
    return wsa::kNO_DATA;
  }
  port = static_cast<uint16_t>(result->s_port);
  return 0;
}

}  // namespace posix_lookup
