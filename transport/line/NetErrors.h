// The errors of the line transport and its socket stack, each with its fixed message. None of
// them is silent in the application's sense: the error display shows every one.
#pragma once

#include <string>

#include "core/Errors.h"

class ENetError : public Exception {
 public:
  using Exception::Exception;
};

class EAlreadyConnected : public ENetError {
 public:
  EAlreadyConnected() : ENetError("Already connected.") {}
};

class EInvalidSocket : public ENetError {
 public:
  EInvalidSocket() : ENetError("Cannot allocate socket.") {}
};

class ESocketHandleError : public ENetError {
 public:
  using ENetError::ENetError;
};

class ECouldNotBindSocket : public ESocketHandleError {
 public:
  ECouldNotBindSocket()
      : ESocketHandleError("Could not bind socket. Address and port are already in use.") {}
};

// A failed platform call: "Socket Error # <code>" CR LF and the code's text.
class ENetSocketError : public ENetError {
 public:
  ENetSocketError(int code, std::string message) : ENetError(std::move(message)), code_(code) {}
  int ErrorCode() const { return code_; }

 private:
  int code_;
};

class ESilentError : public ENetError {
 public:
  using ENetError::ENetError;
};

class EConnClosedGracefully : public ESilentError {
 public:
  EConnClosedGracefully() : ESilentError("Connection Closed Gracefully.") {}
};

// "%s could not be loaded." with the library's name.
class EStackCannotLoadWinsock : public ENetError {
 public:
  using ENetError::ENetError;
};

class EStackError : public ENetError {
 public:
  using ENetError::ENetError;
};

class EStackInitFailed : public EStackError {
 public:
  EStackInitFailed() : EStackError("Winsock Initialization Error.") {}
};

class EStackSetSizeExceeded : public EStackError {
 public:
  EStackSetSizeExceeded() : EStackError("Set Size Exceeded.") {}
};

class ELineConnectionError : public ENetError {
 public:
  using ENetError::ENetError;
};

class ENotEnoughDataInBuffer : public ELineConnectionError {
 public:
  ENotEnoughDataInBuffer() : ELineConnectionError("Not enough data in buffer.") {}
};
