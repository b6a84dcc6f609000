#include "platform/posix/ErrorNumbers.h"

#include <netdb.h>

#include <cerrno>
#include <utility>

#include "platform/SocketTypes.h"

namespace {

constexpr std::pair<int, int> kErrnoTable[] = {
    {EINTR, wsa::kEINTR},
    {EBADF, wsa::kEBADF},
    {EACCES, wsa::kEACCES},
    {EPERM, wsa::kEACCES},
    {EFAULT, wsa::kEFAULT},
    {EINVAL, wsa::kEINVAL},
    {EMFILE, wsa::kEMFILE},
    {ENFILE, wsa::kEMFILE},
    {EWOULDBLOCK, wsa::kEWOULDBLOCK},
    {EAGAIN, wsa::kEWOULDBLOCK},
    {EINPROGRESS, wsa::kEWOULDBLOCK},  // a non-blocking connect under way, as Windows reports it
    {EALREADY, wsa::kEALREADY},
    {ENOTSOCK, wsa::kENOTSOCK},
    {EDESTADDRREQ, wsa::kEDESTADDRREQ},
    {EMSGSIZE, wsa::kEMSGSIZE},
    {EPROTOTYPE, wsa::kEPROTOTYPE},
    {ENOPROTOOPT, wsa::kENOPROTOOPT},
    {EPROTONOSUPPORT, wsa::kEPROTONOSUPPORT},
    {ESOCKTNOSUPPORT, wsa::kESOCKTNOSUPPORT},
    {EOPNOTSUPP, wsa::kEOPNOTSUPP},
    {EPFNOSUPPORT, wsa::kEPFNOSUPPORT},
    {EAFNOSUPPORT, wsa::kEAFNOSUPPORT},
    {EADDRINUSE, wsa::kEADDRINUSE},
    {EADDRNOTAVAIL, wsa::kEADDRNOTAVAIL},
    {ENETDOWN, wsa::kENETDOWN},
    {ENETUNREACH, wsa::kENETUNREACH},
    {ENETRESET, wsa::kENETRESET},
    {ECONNABORTED, wsa::kECONNABORTED},
    {ECONNRESET, wsa::kECONNRESET},
    {EPIPE, wsa::kECONNRESET},  // writing to a connection the peer has ended
    {ENOBUFS, wsa::kENOBUFS},
    {ENOMEM, wsa::kENOBUFS},
    {EISCONN, wsa::kEISCONN},
    {ENOTCONN, wsa::kENOTCONN},
    {ESHUTDOWN, wsa::kESHUTDOWN},
    {ETOOMANYREFS, wsa::kETOOMANYREFS},
    {ETIMEDOUT, wsa::kETIMEDOUT},
    {ECONNREFUSED, wsa::kECONNREFUSED},
    {ELOOP, wsa::kELOOP},
    {ENAMETOOLONG, wsa::kENAMETOOLONG},
    {EHOSTDOWN, wsa::kEHOSTDOWN},
    {EHOSTUNREACH, wsa::kEHOSTUNREACH},
    {ENOTEMPTY, wsa::kENOTEMPTY},
};

}  // namespace

int WinsockErrorFromErrno(int error) {
  for (const auto& [from, to] : kErrnoTable) {
    if (from == error) return to;
  }
  return error;
}

int WinsockErrorFromAddrInfo(int eai_code) {
  switch (eai_code) {
    case EAI_NONAME:
      return wsa::kHOST_NOT_FOUND;
    case EAI_AGAIN:
      return wsa::kTRY_AGAIN;
    case EAI_FAIL:
      return wsa::kNO_RECOVERY;
#ifdef EAI_NODATA
    case EAI_NODATA:
      return wsa::kNO_DATA;
#endif
    case EAI_ADDRFAMILY:
      return wsa::kNO_DATA;
    case EAI_MEMORY:
      return wsa::kENOBUFS;
    case EAI_SYSTEM:
      return WinsockErrorFromErrno(errno);
    default:
      return wsa::kNO_RECOVERY;
  }
}

int WinsockErrorFromHostError(int h_error) {
  switch (h_error) {
    case HOST_NOT_FOUND:
      return wsa::kHOST_NOT_FOUND;
    case TRY_AGAIN:
      return wsa::kTRY_AGAIN;
    case NO_DATA:
      return wsa::kNO_DATA;
    default:
      return wsa::kNO_RECOVERY;
  }
}
