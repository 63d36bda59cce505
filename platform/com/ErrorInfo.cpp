#include "com/ErrorInfo.h"

#include <exception>
#include <new>

namespace com {
namespace {
thread_local std::string errorInfo;
}

void setErrorInfo(std::string_view description) noexcept
{
    try {
        errorInfo.assign(description);
    } catch (...) {
        errorInfo.clear();  // too little memory for the words: the code still tells
    }
}

std::string takeErrorInfo()
{
    return std::exchange(errorInfo, std::string());
}

HRESULT currentFailure(std::string_view what, HRESULT otherwise) noexcept
{
    HRESULT hr = otherwise;
    try {
        try {
            throw;
        } catch (const ComError& e) {
            hr = e.Error();
            setErrorInfo(e.Description());
        } catch (const std::bad_alloc&) {
            hr = E_OUTOFMEMORY;
            setErrorInfo(std::string(what) + ": out of memory");
        } catch (const std::exception& e) {
            setErrorInfo(std::string(what) + ": " + e.what());
        } catch (...) {
            setErrorInfo(std::string(what) + ": unexpected failure");
        }
    } catch (...) {
        if (hr == otherwise) hr = E_OUTOFMEMORY;  // only building the words can fail here
        setErrorInfo({});
    }
    return hr;
}

}  // namespace com
