// The COM error object, as _com_error: an HRESULT with an optional
// description, and the system's message text for the HRESULT.
#pragma once

#include <exception>
#include <string>

#include "com/ComTypes.h"

class ComError : public std::exception {
public:
    explicit ComError(HRESULT hr, std::string description = {});
    ComError(const ComError&) = default;
    ComError& operator=(const ComError&) = default;
    ~ComError() override;

    HRESULT Error() const noexcept { return hr_; }
    // The description given by the object that failed ("" when none).
    const std::string& Description() const noexcept { return description_; }
    // The system's message for the HRESULT: the known text with one trailing
    // line feed and the carriage return before it removed; else
    // "IDispatch error #%d" for 0x80040201..0x8004FFFF; else "Unknown error 0x%0lX".
    std::string ErrorMessage() const;
    // "0x80004003: <description or message>", for logs and command lines.
    const char* what() const noexcept override;

private:
    HRESULT hr_;
    std::string description_;
    std::string what_;
};

namespace com {
// The system message table that ComError::ErrorMessage reads, raw: with the
// "\r\n" ending the system gives its messages; "" when it has none.
std::string systemMessage(HRESULT hr);

[[noreturn]] void throwComError(HRESULT hr, std::string description = {});
// Throws a ComError when hr is a failure code.
inline void check(HRESULT hr, const char* what = nullptr)
{
    if (FAILED(hr)) throwComError(hr, what ? what : "");
}
}  // namespace com
