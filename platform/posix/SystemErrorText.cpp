// POSIX has no message table for the Windows Sockets numbers that the program reports, so the
// texts Windows shows for them are kept here, already without their closing period.
#include "platform/SystemErrorText.h"

#include <utility>

#include "platform/SocketTypes.h"

namespace {

constexpr std::pair<int, const char*> kTexts[] = {
    {wsa::kEINTR, "A blocking operation was interrupted by a call to WSACancelBlockingCall"},
    {wsa::kEBADF, "The file handle supplied is not valid"},
    {wsa::kEACCES,
     "An attempt was made to access a socket in a way forbidden by its access permissions"},
    {wsa::kEFAULT,
     "The system detected an invalid pointer address in attempting to use a pointer argument "
     "in a call"},
    {wsa::kEINVAL, "An invalid argument was supplied"},
    {wsa::kEMFILE, "Too many open sockets"},
    {wsa::kEWOULDBLOCK, "A non-blocking socket operation could not be completed immediately"},
    {wsa::kEINPROGRESS, "A blocking operation is currently executing"},
    {wsa::kEALREADY,
     "An operation was attempted on a non-blocking socket that already had an operation in "
     "progress"},
    {wsa::kENOTSOCK, "An operation was attempted on something that is not a socket"},
    {wsa::kEDESTADDRREQ, "A required address was omitted from an operation on a socket"},
    {wsa::kEMSGSIZE,
     "A message sent on a datagram socket was larger than the internal message buffer or some "
     "other network limit, or the buffer used to receive a datagram into was smaller than the "
     "datagram itself"},
    {wsa::kEPROTOTYPE,
     "A protocol was specified in the socket function call that does not support the "
     "semantics of the socket type requested"},
    {wsa::kENOPROTOOPT,
     "An unknown, invalid, or unsupported option or level was specified in a getsockopt or "
     "setsockopt call"},
    {wsa::kEPROTONOSUPPORT,
     "The requested protocol has not been configured into the system, or no implementation "
     "for it exists"},
    {wsa::kESOCKTNOSUPPORT,
     "The support for the specified socket type does not exist in this address family"},
    {wsa::kEOPNOTSUPP,
     "The attempted operation is not supported for the type of object referenced"},
    {wsa::kEPFNOSUPPORT,
     "The protocol family has not been configured into the system or no implementation for it "
     "exists"},
    {wsa::kEAFNOSUPPORT, "An address incompatible with the requested protocol was used"},
    {wsa::kEADDRINUSE,
     "Only one usage of each socket address (protocol/network address/port) is normally "
     "permitted"},
    {wsa::kEADDRNOTAVAIL, "The requested address is not valid in its context"},
    {wsa::kENETDOWN, "A socket operation encountered a dead network"},
    {wsa::kENETUNREACH, "A socket operation was attempted to an unreachable network"},
    {wsa::kENETRESET,
     "The connection has been broken due to keep-alive activity detecting a failure while the "
     "operation was in progress"},
    {wsa::kECONNABORTED,
     "An established connection was aborted by the software in your host machine"},
    {wsa::kECONNRESET, "An existing connection was forcibly closed by the remote host"},
    {wsa::kENOBUFS,
     "An operation on a socket could not be performed because the system lacked sufficient "
     "buffer space or because a queue was full"},
    {wsa::kEISCONN, "A connect request was made on an already connected socket"},
    {wsa::kENOTCONN,
     "A request to send or receive data was disallowed because the socket is not connected "
     "and (when sending on a datagram socket using a sendto call) no address was supplied"},
    {wsa::kESHUTDOWN,
     "A request to send or receive data was disallowed because the socket had already been "
     "shut down in that direction with a previous shutdown call"},
    {wsa::kETOOMANYREFS, "Too many references to some kernel object"},
    {wsa::kETIMEDOUT,
     "A connection attempt failed because the connected party did not properly respond after "
     "a period of time, or established connection failed because connected host has failed to "
     "respond"},
    {wsa::kECONNREFUSED,
     "No connection could be made because the target machine actively refused it"},
    {wsa::kELOOP, "Cannot translate name"},
    {wsa::kENAMETOOLONG, "Name component or name was too long"},
    {wsa::kEHOSTDOWN, "A socket operation failed because the destination host was down"},
    {wsa::kEHOSTUNREACH, "A socket operation was attempted to an unreachable host"},
    {wsa::kENOTEMPTY, "Cannot remove a directory that is not empty"},
    {wsa::kSYSNOTREADY,
     "WSAStartup cannot function at this time because the underlying system it uses to "
     "provide network services is currently unavailable"},
    {wsa::kVERNOTSUPPORTED, "The Windows Sockets version requested is not supported"},
    {wsa::kNOTINITIALISED,
     "Either the application has not called WSAStartup, or WSAStartup failed"},
    {wsa::kHOST_NOT_FOUND, "No such host is known"},
    {wsa::kTRY_AGAIN,
     "This is usually a temporary error during hostname resolution and means that the local "
     "server did not receive a response from an authoritative server"},
    {wsa::kNO_RECOVERY, "A non-recoverable error occurred during a database lookup"},
    {wsa::kNO_DATA, "The requested name is valid, but no data of the requested type was found"},
};

}  // namespace

std::string SystemErrorText(int code) {
  for (const auto& [number, text] : kTexts) {
    if (number == code) return text;
  }
  return std::string();
}
