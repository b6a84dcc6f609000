// The errors of the line transport and its socket stack, each with its message from the
// catalogue. None of them is silent in the application's sense: the error display shows every one.
#pragma once

#include <string>

#include "core/Errors.h"
#include "transport/Texts.h"

class ENetError : public Exception {
 public:
  using Exception::Exception;
};

class EAlreadyConnected : public ENetError {
 public:
  EAlreadyConnected() : ENetError(transport_texts::kAlreadyConnected) {}
};

class EInvalidSocket : public ENetError {
 public:
  EInvalidSocket() : ENetError(transport_texts::kCannotAllocateSocket) {}
};

class ESocketHandleError : public ENetError {
 public:
  using ENetError::ENetError;
};

class ECouldNotBindSocket : public ESocketHandleError {
 public:
  ECouldNotBindSocket() : ESocketHandleError(transport_texts::kCouldNotBindSocket) {}
};

// A failed platform call: SocketErrorMessage(code).
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
  EConnClosedGracefully() : ESilentError(transport_texts::kConnClosedGracefully) {}
};

// kCouldNotLoad with the library's name.
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
  EStackInitFailed() : EStackError(transport_texts::kWinsockInitError) {}
};

class EStackSetSizeExceeded : public EStackError {
 public:
  EStackSetSizeExceeded() : EStackError(transport_texts::kSetSizeExceeded) {}
};

class ELineConnectionError : public ENetError {
 public:
  using ENetError::ENetError;
};

class ENotEnoughDataInBuffer : public ELineConnectionError {
 public:
  ENotEnoughDataInBuffer() : ELineConnectionError(transport_texts::kNotEnoughData) {}
};
