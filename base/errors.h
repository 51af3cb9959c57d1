// Errors raised by the data layer and by the jobs.
//
// Every error carries the message the user sees. `class_name()` is the kind
// of error as the report engine's failure message names it, for example
// "EDatabaseError(Field 'X' not found)".
#pragma once

#include <stdexcept>
#include <string>

namespace tarvek {

class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    virtual const char* class_name() const noexcept { return "Exception"; }
};

// A dataset or field misuse: unknown field, type mismatch, closed dataset.
class DatabaseError : public Error {
  public:
    using Error::Error;
    const char* class_name() const noexcept override { return "EDatabaseError"; }
};

// An error reported by the Firebird client library, worded by the library.
class FirebirdError : public Error {
  public:
    FirebirdError(const std::string& message, long sql_code, long gds_code)
        : Error(message), sql_code_(sql_code), gds_code_(gds_code) {}
    const char* class_name() const noexcept override { return "EFirebirdError"; }
    long sql_code() const noexcept { return sql_code_; }
    long gds_code() const noexcept { return gds_code_; }

  private:
    long sql_code_;
    long gds_code_;
};

// A text that cannot be read as the number or date asked for.
class ConvertError : public Error {
  public:
    using Error::Error;
    const char* class_name() const noexcept override { return "EConvertError"; }
};

}  // namespace tarvek
