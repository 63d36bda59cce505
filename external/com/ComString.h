// BSTR allocation and the UTF-8 <-> UTF-16 conversions. Text inside the
// component is UTF-8 (the "ANSI code page" of this platform); COM strings are
// length-prefixed UTF-16. A null BSTR is the empty string everywhere.
// Invalid sequences in either direction become U+FFFD; nothing throws on them.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "com/ComTypes.h"

BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

namespace com {

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// New BSTR from UTF-8 or UTF-16 text; the caller owns it (SysFreeString).
BSTR allocBstr(std::string_view utf8);
BSTR allocBstr(std::u16string_view utf16);
// View of a BSTR's characters (by its length prefix, so embedded NULs count).
std::u16string_view bstrView(BSTR text);
std::string bstrToUtf8(BSTR text);

// Owning BSTR holder, as _bstr_t: frees on destruction and replacement.
class BStr {
public:
    BStr() = default;
    explicit BStr(std::string_view utf8) : value_(allocBstr(utf8)) {}
    explicit BStr(std::u16string_view utf16) : value_(allocBstr(utf16)) {}
    BStr(const BStr& other) : value_(other.value_ ? allocBstr(other.view()) : nullptr) {}
    BStr(BStr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    BStr& operator=(BStr other) noexcept
    {
        std::swap(value_, other.value_);
        return *this;
    }
    ~BStr() { SysFreeString(value_); }

    static BStr attach(BSTR owned)
    {
        BStr b;
        b.value_ = owned;
        return b;
    }
    BSTR get() const { return value_; }
    BSTR* put()  // for out parameters: frees the old value first
    {
        SysFreeString(std::exchange(value_, nullptr));
        return &value_;
    }
    BSTR detach() { return std::exchange(value_, nullptr); }
    std::u16string_view view() const { return bstrView(value_); }
    std::string utf8() const { return bstrToUtf8(value_); }
    UINT length() const { return SysStringLen(value_); }

private:
    BSTR value_ = nullptr;
};

}  // namespace com
