#include "com/ComError.h"

#include <cstdio>

ComError::ComError(HRESULT hr, std::string description) : hr_(hr), description_(std::move(description))
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08x", static_cast<unsigned>(hr_));
    what_ = std::string(code) + ": " + (description_.empty() ? ErrorMessage() : description_);
}

ComError::~ComError() = default;

std::string ComError::ErrorMessage() const
{
    std::string text = com::systemMessage(hr_);
    if (!text.empty()) {
        if (text.back() == '\n') {
            text.pop_back();
            if (!text.empty() && text.back() == '\r') text.pop_back();
        }
        return text;
    }
    auto code = static_cast<std::uint32_t>(hr_);
    char buffer[40];
    if (code > 0x80040200u && code <= 0x8004FFFFu)
        std::snprintf(buffer, sizeof buffer, "IDispatch error #%d", static_cast<int>(code - 0x80040200u));
    else
        std::snprintf(buffer, sizeof buffer, "Unknown error 0x%0lX", static_cast<unsigned long>(code));
    return buffer;
}

const char* ComError::what() const noexcept
{
    return what_.c_str();
}

namespace com {

void throwComError(HRESULT hr, std::string description)
{
    throw ComError(hr, std::move(description));
}

}  // namespace com
