// Run-time errors of the screen runtime, numbered as the game's error box shows them.
#pragma once

#include <stdexcept>
#include <string>

namespace vk {

enum class ErrorNumber : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    FileNotFound = 53,
    PathFileAccessError = 75,  // a file that is there but cannot be opened
    ObjectUnloaded = 364,      // a screen's load routine unloaded it before the access was done
    InvalidPicture = 481,      // a picture file whose bytes are no picture
};

// The standard description of an error number ("Type mismatch", ...).
std::string errorDescription(ErrorNumber number);

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(ErrorNumber number, const std::string& detail = {});

    ErrorNumber number() const { return number_; }
    int code() const { return static_cast<int>(number_); }
    // The standard description alone, without the detail.
    std::string description() const { return errorDescription(number_); }
    const std::string& detail() const { return detail_; }

  private:
    ErrorNumber number_;
    std::string detail_;
};

[[noreturn]] void raise(ErrorNumber number, const std::string& detail = {});

// Thrown by Runtime::endProgram(); unwinds every nested handler. Deliberately not a
// std::exception, so that no error handler of the game can swallow it.
struct ProgramEnded {};

}  // namespace vk
