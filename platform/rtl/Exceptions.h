#pragma once
// The class library's exceptions: Exception carries a message; EAbort is the quiet abort.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  std::string Message;
};

class EAbort : public Exception {
public:
  EAbort();
};

class EStreamError : public Exception {
public:
  using Exception::Exception;
};

class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

class EResNotFound : public Exception {
public:
  using Exception::Exception;
};

// Raises EAbort; the class library's Abort.
[[noreturn]] void Abort();
