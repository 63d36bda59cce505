// libFuzzer target: the text conversions and text-only path functions must
// take any bytes without crashing, and round trips must hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "com/Variant.h"
#include "support/KestString.h"
#include "support/SysFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);

    // UTF-8 -> UTF-16 -> UTF-8 is stable after the first pass.
    std::u16string wide = com::utf8ToUtf16(bytes);
    std::string narrow = com::utf16ToUtf8(wide);
    if (com::utf16ToUtf8(com::utf8ToUtf16(narrow)) != narrow) std::abort();
    // Arbitrary UTF-16 (the bytes taken as code units) converts and stays well-formed.
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i + 1 < size; i += 2) units[i / 2] = static_cast<char16_t>(data[i] | data[i + 1] << 8);
    std::string fromUnits = com::utf16ToUtf8(units);
    if (com::utf16ToUtf8(com::utf8ToUtf16(fromUnits)) != fromUnits) std::abort();

    com::BStr text(bytes);
    for (VARTYPE type : {VT_I2, VT_I4, VT_BOOL, VT_BSTR, VT_R8}) {
        VARIANT source, result;
        source.vt = VT_BSTR;
        source.bstrVal = text.get();
        VariantInit(&result);
        VariantChangeType(&result, &source, 0, type);
        VariantClear(&result);
    }

    GUID guid;
    if (com::guidFromString(bytes, guid)) {
        GUID again;
        if (!com::guidFromString(com::guidToString(guid), again) || !(again == guid)) std::abort();
    }

    KestString k(bytes);
    std::size_t cut = size ? data[0] % (size + 1) : 0;
    KestString from = k.substr(cut, 3), to = k.substr(0, 2);
    k.replaceStr(from, to);
    SysFile::getDir(KestString(bytes));
    SysFile::stripDir(KestString(bytes));
    SysFile::getExtension(KestString(bytes));
    SysFile::appendToDir(KestString(bytes), KestString(bytes));
    SysFile::isHyperLink(KestString(bytes));
    return 0;
}
