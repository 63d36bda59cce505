// BSTR layout: a 32-bit byte count, the UTF-16 characters, a NUL. The
// pointer handed out points at the first character, as on Windows.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "com/ComString.h"

namespace {

constexpr std::size_t prefixSize = sizeof(std::uint32_t);
// The byte count must fit the 32-bit prefix.
constexpr std::size_t maxLength = (std::numeric_limits<std::uint32_t>::max() - prefixSize - sizeof(OLECHAR)) / 2;

std::uint32_t* prefixOf(BSTR text)
{
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - prefixSize);
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    if (length > maxLength) return nullptr;
    std::size_t bytes = std::size_t{length} * sizeof(OLECHAR);
    void* block = std::malloc(prefixSize + bytes + sizeof(OLECHAR));
    if (!block) return nullptr;
    auto* prefix = static_cast<std::uint32_t*>(block);
    *prefix = static_cast<std::uint32_t>(bytes);
    auto* chars = reinterpret_cast<OLECHAR*>(static_cast<char*>(block) + prefixSize);
    if (text)
        std::memcpy(chars, text, bytes);
    else
        std::memset(chars, 0, bytes);
    chars[length] = u'\0';
    return chars;
}

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text) return nullptr;
    std::size_t length = std::char_traits<OLECHAR>::length(text);
    if (length > maxLength) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(length));
}

void SysFreeString(BSTR text)
{
    if (text) std::free(prefixOf(text));
}

UINT SysStringLen(BSTR text)
{
    return text ? *prefixOf(text) / sizeof(OLECHAR) : 0;
}

namespace com {

BSTR allocBstr(std::u16string_view utf16)
{
    if (utf16.size() > maxLength) return nullptr;
    return SysAllocStringLen(utf16.data(), static_cast<UINT>(utf16.size()));
}

BSTR allocBstr(std::string_view utf8)
{
    return allocBstr(std::u16string_view(utf8ToUtf16(utf8)));
}

std::u16string_view bstrView(BSTR text)
{
    return text ? std::u16string_view(text, SysStringLen(text)) : std::u16string_view();
}

std::string bstrToUtf8(BSTR text)
{
    return utf16ToUtf8(bstrView(text));
}

}  // namespace com
