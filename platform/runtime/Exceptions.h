#pragma once

// The run time's exceptions. Each carries a message in plain words, meant for the
// unhandled-exception report that the user reads.

#include <stdexcept>
#include <string>

namespace platform {

class RuntimeException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A missing object was used: an empty reference, a control that is not there, a file
// that could not be found.
class NilObjectException : public RuntimeException {
public:
    NilObjectException();
    explicit NilObjectException(const std::string& whatWasMissing);
};

// An object is not of the class that the caller asked for.
class IllegalCastException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// An event, method or menu item could not be bound: names the window, control, event and
// method involved.
class BindingError : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// A window description could not be read or applied: names the object it was meant for.
class DescriptionError : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// An operation that this framework lists but does not offer was called.
class UnsupportedOperation : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

} // namespace platform
