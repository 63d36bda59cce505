// The thread's error info (SetErrorInfo / GetErrorInfo) and the guard every
// COM method body runs in: whatever a body raises leaves the method as an
// HRESULT (or, in the object model's wrapper form, as a ComError) with a
// description of the reason, never as another C++ exception.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "com/ComError.h"
#include "com/ComTypes.h"

namespace com {

// Sets the description of the failure this thread's last call reports.
void setErrorInfo(std::string_view description) noexcept;
// Takes the description (it is cleared): "" when there is none.
std::string takeErrorInfo();

// Inside a catch block: the HRESULT the exception being handled stands for,
// with the thread's error info set to its description ("what: reason").
// ComError keeps its code, std::bad_alloc is E_OUTOFMEMORY, anything else
// is `otherwise`.
HRESULT currentFailure(std::string_view what, HRESULT otherwise = E_FAIL) noexcept;

// The body of a function that returns an HRESULT (a COM method, a module
// entry point); `otherwise` as for currentFailure.
template <class Body>
HRESULT guardHresult(std::string_view what, Body&& body, HRESULT otherwise = E_FAIL) noexcept
{
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return currentFailure(what, otherwise);
    }
}

// The body of an object-model member that reports failures as ComError.
template <class Body>
auto guardMember(std::string_view what, Body&& body) -> decltype(body())
{
    try {
        return std::forward<Body>(body)();
    } catch (const ComError&) {
        throw;
    } catch (...) {
        const HRESULT hr = currentFailure(what);
        throw ComError(hr, takeErrorInfo());
    }
}

}  // namespace com
