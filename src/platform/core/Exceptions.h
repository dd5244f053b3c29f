#pragma once

#include <exception>
#include <string>

namespace tarnwick {

// The root of every error the system raises. The message may be rewritten by the handlers
// that add context on the way up, and the class name is what handlers test.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    virtual const char* ClassName() const noexcept { return "Exception"; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

#define TARNWICK_EXCEPTION(Name, Base)                                                             \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* ClassName() const noexcept override { return #Name; }                          \
    }

TARNWICK_EXCEPTION(EConvertError, Exception);
TARNWICK_EXCEPTION(EInvalidOperation, Exception);
TARNWICK_EXCEPTION(EListError, Exception);
TARNWICK_EXCEPTION(EInOutError, Exception);
TARNWICK_EXCEPTION(EDatabaseError, Exception);
TARNWICK_EXCEPTION(EOleException, Exception);
TARNWICK_EXCEPTION(EUniqueIDException, Exception);
TARNWICK_EXCEPTION(EOSError, Exception);

// The silent abort: callers that see it stop without telling the user again.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    explicit EAbort(std::string message) : Exception(std::move(message)) {}
    const char* ClassName() const noexcept override { return "EAbort"; }
};

// Raises the list's index error, "List index out of bounds (n)".
[[noreturn]] void ThrowListIndexError(long long index);

// Message and class name of any error, including ones not derived from Exception.
std::string MessageOf(const std::exception_ptr& error);
std::string ClassNameOf(const std::exception_ptr& error);

} // namespace tarnwick
