// Proxy settings of a line client. The program keeps the version at pvNone, so every
// connection goes straight to its host; the other versions' handshakes are not provided.
#pragma once

#include <cstdint>
#include <string>

#include "core/Component.h"

enum class TProxyVersion { pvNone, pvSocks4, pvSocks4A, pvSocks5 };
enum class TProxyAuthentication { paNone, paUserPassword };

class TProxyInfo : public TObject {
 public:
  TProxyVersion Version = TProxyVersion::pvNone;
  TProxyAuthentication Authentication = TProxyAuthentication::paNone;
  std::string Host;
  int32_t Port = 0;
  std::string UserID;
  std::string Password;
};
