#include "text/TextConversion.h"

#include <algorithm>

std::u16string toWide(const KestString& text)
{
    std::u16string wide;
    widenInto(wide, text.view());
    return wide;
}

void widenInto(std::u16string& out, std::string_view bytes)
{
    // Plain ASCII, nearly every text a report writes, widens byte for byte.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        // Copied in place: assign() from chars builds a temporary string first.
        out.resize(bytes.size());
        std::copy(bytes.begin(), bytes.end(), out.begin());
    } else {
        out = com::utf8ToUtf16(bytes);
    }
}

KestString fromBstr(BSTR text)
{
    return KestString(com::bstrToUtf8(text));
}

KestString fromWide(const std::u16string& text)
{
    return KestString(com::utf16ToUtf8(text));
}

com::BStr toBstr(const KestString& text)
{
    return com::BStr(text.view());
}
