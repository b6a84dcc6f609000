// The socket handle, the IPv4 address and the Windows Sockets error numbers, the same on every
// platform: the POSIX layer maps errno and resolver codes onto these numbers, so every message is
// the same.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

using SocketHandle = std::uintptr_t;
inline constexpr SocketHandle kInvalidSocket = ~SocketHandle{0};
inline constexpr int kSocketError = -1;

// An IPv4 address, its bytes in text order (which is network byte order).
using Ipv4Address = std::array<uint8_t, 4>;

// An IPv4 address and a port in network byte order.
struct SocketAddress {
  Ipv4Address address{};
  uint16_t port = 0;
};

// htons and ntohs.
constexpr uint16_t HostToNetworkOrder(uint16_t value) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<uint16_t>((value >> 8) | (value << 8));
  }
  return value;
}
constexpr uint16_t NetworkToHostOrder(uint16_t value) {
  return HostToNetworkOrder(value);
}

namespace wsa {
inline constexpr int kEINTR = 10004;
inline constexpr int kEBADF = 10009;
inline constexpr int kEACCES = 10013;
inline constexpr int kEFAULT = 10014;
inline constexpr int kEINVAL = 10022;
inline constexpr int kEMFILE = 10024;
inline constexpr int kEWOULDBLOCK = 10035;
inline constexpr int kEINPROGRESS = 10036;
inline constexpr int kEALREADY = 10037;
inline constexpr int kENOTSOCK = 10038;
inline constexpr int kEDESTADDRREQ = 10039;
inline constexpr int kEMSGSIZE = 10040;
inline constexpr int kEPROTOTYPE = 10041;
inline constexpr int kENOPROTOOPT = 10042;
inline constexpr int kEPROTONOSUPPORT = 10043;
inline constexpr int kESOCKTNOSUPPORT = 10044;
inline constexpr int kEOPNOTSUPP = 10045;
inline constexpr int kEPFNOSUPPORT = 10046;
inline constexpr int kEAFNOSUPPORT = 10047;
inline constexpr int kEADDRINUSE = 10048;
inline constexpr int kEADDRNOTAVAIL = 10049;
inline constexpr int kENETDOWN = 10050;
inline constexpr int kENETUNREACH = 10051;
inline constexpr int kENETRESET = 10052;
inline constexpr int kECONNABORTED = 10053;
inline constexpr int kECONNRESET = 10054;
inline constexpr int kENOBUFS = 10055;
inline constexpr int kEISCONN = 10056;
inline constexpr int kENOTCONN = 10057;
inline constexpr int kESHUTDOWN = 10058;
inline constexpr int kETOOMANYREFS = 10059;
inline constexpr int kETIMEDOUT = 10060;
inline constexpr int kECONNREFUSED = 10061;
inline constexpr int kELOOP = 10062;
inline constexpr int kENAMETOOLONG = 10063;
inline constexpr int kEHOSTDOWN = 10064;
inline constexpr int kEHOSTUNREACH = 10065;
inline constexpr int kENOTEMPTY = 10066;
inline constexpr int kSYSNOTREADY = 10091;
inline constexpr int kVERNOTSUPPORTED = 10092;
inline constexpr int kNOTINITIALISED = 10093;
inline constexpr int kHOST_NOT_FOUND = 11001;
inline constexpr int kTRY_AGAIN = 11002;
inline constexpr int kNO_RECOVERY = 11003;
inline constexpr int kNO_DATA = 11004;
}  // namespace wsa
