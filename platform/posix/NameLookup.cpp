#include "platform/posix/NameLookup.h"

#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

#include "platform/NativeAddress.h"
#include "platform/posix/ErrorNumbers.h"

namespace posix_lookup {

int ResolveHost(const std::string& host, Ipv4Address& address) {
  std::string name = host;
  if (name.empty()) {
    char local[256] = {};
    ::gethostname(local, sizeof local - 1);
    name = local;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  int status = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (status != 0) return WinsockErrorFromAddrInfo(status);
  address = FromNativeAddress(*reinterpret_cast<const sockaddr_in*>(found->ai_addr)).address;
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
