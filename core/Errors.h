// The program's error classes: every failure is an exception carrying its message bytes
// (Windows-1251). Nothing in core/ or transport/ catches them; the shell reports them.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// The silent error: it ends the handling of an event and shows nothing.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
  explicit EAbort(std::string message) : Exception(std::move(message)) {}
};

// A file that cannot be created ("Cannot create file %s") or opened ("Cannot open file %s").
class EFCreateError : public Exception {
 public:
  using Exception::Exception;
};
class EFOpenError : public Exception {
 public:
  using Exception::Exception;
};

// A settings value that cannot be written ("Unable to write to %s").
class EIniFileError : public Exception {
 public:
  using Exception::Exception;
};

// A text that the program's integer rule cannot read where a number is required.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
