#include "text/TextConversion.h"

std::u16string toWide(const KestString& text)
{
    return com::utf8ToUtf16(text.view());
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
