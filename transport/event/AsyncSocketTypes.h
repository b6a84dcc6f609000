// The event-driven transport's enumerations, its error class and its event types.
#pragma once

#include <cstdint>
#include <functional>

#include "core/Component.h"
#include "core/Errors.h"

class TAsyncSocket;

enum TBlockingMode : uint8_t { bmNonBlocking = 0, bmBlocking = 1 };

// The operation during which an error arose.
enum TErrorEvent : uint8_t {
  errGeneral = 0,
  errSend = 1,
  errReceive = 2,
  errConnect = 3,
  errDisconnect = 4,
  errAccept = 5,
  errLookup = 6
};

// A client never produces sevListen or sevAccept.
enum SocketEventKind : uint8_t {
  sevLookup = 0,
  sevConnecting = 1,
  sevConnect = 2,
  sevDisconnect = 3,
  sevListen = 4,
  sevAccept = 5,
  sevWrite = 6,
  sevRead = 7
};

// lookupAddress: the host look-up is pending or the address is known; lookupService: the
// service look-up is pending or the port is known.
enum LookupState : uint8_t { lookupIdle = 0, lookupAddress = 1, lookupService = 2 };

// Every error the event-driven transport raises.
class EAsyncSocketError : public Exception {
 public:
  using Exception::Exception;
};

using TSocketNotifyEvent = std::function<void(TObject* Sender, TAsyncSocket* Socket)>;
// ErrorCode may be changed by the handler; 0 means the error is handled and nothing is raised.
using TSocketErrorEvent = std::function<void(TObject* Sender, TAsyncSocket* Socket,
                                             TErrorEvent ErrorEvent, int32_t& ErrorCode)>;
