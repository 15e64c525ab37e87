#include "runtime/errors.h"

namespace vk {

std::string errorDescription(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::Overflow:
            return "Overflow";
        case ErrorNumber::SubscriptOutOfRange:
            return "Subscript out of range";
        case ErrorNumber::DivisionByZero:
            return "Division by zero";
        case ErrorNumber::TypeMismatch:
            return "Type mismatch";
        case ErrorNumber::FileNotFound:
            return "File not found";
        case ErrorNumber::PathFileAccessError:
            return "Path/File access error";
        case ErrorNumber::ObjectUnloaded:
            return "Object was unloaded";
        case ErrorNumber::InvalidPicture:
            return "Invalid picture";
    }
    // A number outside the list can only come from a cast; describe it the way the
    // error box does for numbers it has no text for.
    return "Application-defined or object-defined error";
}

namespace {

std::string messageOf(ErrorNumber number, const std::string& detail) {
    std::string message = errorDescription(number);
    if (!detail.empty()) message += ": " + detail;
    return message;
}

}  // namespace

RuntimeError::RuntimeError(ErrorNumber number, const std::string& detail)
    : std::runtime_error(messageOf(number, detail)), number_(number), detail_(detail) {}

void raise(ErrorNumber number, const std::string& detail) { throw RuntimeError(number, detail); }

}  // namespace vk
