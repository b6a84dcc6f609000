// The texts are the program's own, byte for byte (note the blank after "block." and the
// missing period after "empty").
#include "transport/line/SocketErrorText.h"

#include <utility>

#include "platform/SocketTypes.h"

namespace {

const std::pair<int, std::string> kTexts[] = {
    {wsa::kEINTR, "Interrupted system call."},
    {wsa::kEBADF, "Bad file number."},
    {wsa::kEACCES, "Access denied."},
    {wsa::kEFAULT, "Bad address."},
    {wsa::kEINVAL, "Invalid argument."},
    {wsa::kEMFILE, "Too many open files."},
    {wsa::kEWOULDBLOCK, "Operation would block. "},
    {wsa::kEINPROGRESS, "Operation now in progress."},
    {wsa::kEALREADY, "Operation already in progress."},
    {wsa::kENOTSOCK, "Socket operation on non-socket."},
    {wsa::kEDESTADDRREQ, "Destination address required."},
    {wsa::kEMSGSIZE, "Message too long."},
    {wsa::kEPROTOTYPE, "Protocol wrong type for socket."},
    {wsa::kENOPROTOOPT, "Bad protocol option."},
    {wsa::kEPROTONOSUPPORT, "Protocol not supported."},
    {wsa::kESOCKTNOSUPPORT, "Socket type not supported."},
    {wsa::kEOPNOTSUPP, "Operation not supported on socket."},
    {wsa::kEPFNOSUPPORT, "Protocol family not supported."},
    {wsa::kEAFNOSUPPORT, "Address family not supported by protocol family."},
    {wsa::kEADDRINUSE, "Address already in use."},
    {wsa::kEADDRNOTAVAIL, "Cannot assign requested address."},
    {wsa::kENETDOWN, "Network is down."},
    {wsa::kENETUNREACH, "Network is unreachable."},
    {wsa::kENETRESET, "Net dropped connection or reset."},
    {wsa::kECONNABORTED, "Software caused connection abort."},
    {wsa::kECONNRESET, "Connection reset by peer."},
    {wsa::kENOBUFS, "No buffer space available."},
    {wsa::kEISCONN, "Socket is already connected."},
    {wsa::kENOTCONN, "Socket is not connected."},
    {wsa::kESHUTDOWN, "Cannot send or receive after socket is closed."},
    {wsa::kETOOMANYREFS, "Too many references, cannot splice."},
    {wsa::kETIMEDOUT, "Connection timed out."},
    {wsa::kECONNREFUSED, "Connection refused."},
    {wsa::kELOOP, "Too many levels of symbolic links."},
    {wsa::kENAMETOOLONG, "File name too long."},
    {wsa::kEHOSTDOWN, "Host is down."},
    {wsa::kEHOSTUNREACH, "No route to host."},
    {wsa::kENOTEMPTY, "Directory not empty"},
};

}  // namespace

const std::string& SocketErrorText(int code) {
  static const std::string kNone;
  for (const auto& [number, text] : kTexts) {
    if (number == code) return text;
  }
  return kNone;
}
