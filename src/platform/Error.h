// Errors raised by the platform layer and the layers above it. The message is
// the text the user sees; `what()` gives it in UTF-8 for logs and tests.
#pragma once

#include <exception>
#include <string>

namespace tarvel {

class Exception : public std::exception {
public:
    explicit Exception(std::u16string message);

    const std::u16string& message() const noexcept { return Message; }
    const char* what() const noexcept override { return Utf8.c_str(); }

private:
    std::u16string Message;
    std::string Utf8;
};

// An I/O error that carries the Windows error code it stands for, so that the
// texts chosen by code ("File access denied", ...) can be given.
class EInOutError : public Exception {
public:
    EInOutError(std::u16string message, int errorCode)
        : Exception(std::move(message)), ErrorCode(errorCode) {}

    int errorCode() const noexcept { return ErrorCode; }

private:
    int ErrorCode;
};

} // namespace tarvel
