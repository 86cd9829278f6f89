#include "platform/errors.h"

#include <utility>

namespace platform {

RuntimeError::RuntimeError(int number, std::string description)
    : number_(number), description_(description.empty() ? defaultDescription(number) : std::move(description)) {}

std::string defaultDescription(int number) {
    switch (number) {
    case errInvalidArgument: return "Invalid procedure call or argument";
    case errOverflow: return "Overflow";
    case errSubscript: return "Subscript out of range";
    case errDivisionByZero: return "Division by zero";
    case errTypeMismatch: return "Type mismatch";
    case errFileNotFound: return "File not found";
    case errInputPastEnd: return "Input past end of file";
    case errBadRecordNumber: return "Bad record number";
    case errInvalidPropertyValue: return "Invalid property value";
    case errNotInList: return "'Text' property is read-only";
    case errEntryPointNotFound: return "Specified DLL function not found";
    default: return "Application-defined or object-defined error";
    }
}

void raiseError(int number, std::string description) {
    throw RuntimeError(number, std::move(description));
}

}  // namespace platform
