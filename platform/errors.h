#pragma once
// Run-time errors of the forms: a number and a description, raised as a C++ exception
// and shown by the error box of the procedure that traps them (or by the event dispatcher).

#include <exception>
#include <string>

namespace platform {

// Numbers the forms rely on.
enum ErrorNumber : int {
    errInvalidArgument = 5,
    errOverflow = 6,
    errSubscript = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errFileNotFound = 53,
    errInputPastEnd = 62,
    errBadRecordNumber = 63,
    errInvalidPropertyValue = 380,
    errNotInList = 383,
    errEntryPointNotFound = 453,
};

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number, std::string description = {});

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int number_;
    std::string description_;
};

// The run-time's own wording for the numbers above; "Application-defined or object-defined error" otherwise.
std::string defaultDescription(int number);

[[noreturn]] void raiseError(int number, std::string description = {});

}  // namespace platform
