#include "com/Variant.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "com/ComString.h"

namespace {

bool isInterface(VARTYPE vt)
{
    return vt == VT_UNKNOWN || vt == VT_DISPATCH;
}

// What a source value holds, after following VT_BYREF: a number, a truth
// value or a text.
struct Scalar {
    enum Kind { Empty, Number, Boolean, Text } kind = Empty;
    double number = 0;
    bool truth = false;
    std::u16string text;
};

HRESULT readScalar(const VARIANT& v, Scalar& out)
{
    VARTYPE vt = v.vt;
    if (vt == (VT_BYREF | VT_VARIANT)) return v.pvarVal ? readScalar(*v.pvarVal, out) : E_POINTER;
    bool byRef = (vt & VT_BYREF) != 0;
    if (byRef && !v.byref) return E_POINTER;
    switch (vt & ~VT_BYREF) {
    case VT_EMPTY: out.kind = Scalar::Empty; return S_OK;
    case VT_I1: out = {Scalar::Number, static_cast<double>(byRef ? *static_cast<std::int8_t*>(v.byref) : static_cast<std::int8_t>(v.iVal)), false, {}}; return S_OK;
    case VT_UI1: out = {Scalar::Number, static_cast<double>(byRef ? *static_cast<std::uint8_t*>(v.byref) : static_cast<std::uint8_t>(v.iVal)), false, {}}; return S_OK;
    case VT_I2: out = {Scalar::Number, static_cast<double>(byRef ? *v.piVal : v.iVal), false, {}}; return S_OK;
    case VT_UI2: out = {Scalar::Number, static_cast<double>(byRef ? *static_cast<std::uint16_t*>(v.byref) : static_cast<std::uint16_t>(v.iVal)), false, {}}; return S_OK;
    case VT_I4:
    case VT_INT: out = {Scalar::Number, static_cast<double>(byRef ? *v.plVal : v.lVal), false, {}}; return S_OK;
    case VT_UI4:
    case VT_UINT: out = {Scalar::Number, static_cast<double>(byRef ? *static_cast<std::uint32_t*>(v.byref) : static_cast<std::uint32_t>(v.lVal)), false, {}}; return S_OK;
    case VT_I8: out = {Scalar::Number, static_cast<double>(byRef ? *static_cast<std::int64_t*>(v.byref) : v.llVal), false, {}}; return S_OK;
    case VT_R4: out = {Scalar::Number, static_cast<double>(byRef ? *static_cast<float*>(v.byref) : v.fltVal), false, {}}; return S_OK;
    case VT_R8: out = {Scalar::Number, byRef ? *static_cast<double*>(v.byref) : v.dblVal, false, {}}; return S_OK;
    case VT_BOOL: out = {Scalar::Boolean, 0, (byRef ? *v.pboolVal : v.boolVal) != VARIANT_FALSE, {}}; return S_OK;
    case VT_BSTR: out = {Scalar::Text, 0, false, std::u16string(com::bstrView(byRef ? *v.pbstrVal : v.bstrVal))}; return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

std::string trimmedAscii(const std::u16string& text)
{
    std::string ascii = com::utf16ToUtf8(text);
    std::size_t start = ascii.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) return {};
    std::size_t end = ascii.find_last_not_of(" \t\r\n");
    return ascii.substr(start, end - start + 1);
}

bool equalsNoCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

std::optional<double> parseNumber(const std::string& text)
{
    if (text.empty()) return std::nullopt;
    // Automation's "&H1F" hexadecimal form.
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        char* end = nullptr;
        unsigned long long value = std::strtoull(text.c_str() + 2, &end, 16);
        if (*end) return std::nullopt;
        return static_cast<double>(value);
    }
    for (char c : text)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'))
            return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (*end || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Numbers become integers with the banker's rounding automation uses.
template <class Int>
HRESULT toInteger(const Scalar& s, Int& out)
{
    double value = 0;
    switch (s.kind) {
    case Scalar::Empty: value = 0; break;
    case Scalar::Boolean: value = s.truth ? -1 : 0; break;
    case Scalar::Number: value = s.number; break;
    case Scalar::Text: {
        std::string text = trimmedAscii(s.text);
        if (equalsNoCase(text, "True")) {
            value = -1;
        } else if (equalsNoCase(text, "False")) {
            value = 0;
        } else {
            auto parsed = parseNumber(text);
            if (!parsed) return DISP_E_TYPEMISMATCH;
            value = *parsed;
        }
        break;
    }
    }
    value = std::nearbyint(value);  // the default rounding mode rounds half to even
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) return DISP_E_OVERFLOW;
    out = static_cast<Int>(value);
    return S_OK;
}

HRESULT toBoolean(const Scalar& s, bool& out)
{
    switch (s.kind) {
    case Scalar::Empty: out = false; return S_OK;
    case Scalar::Boolean: out = s.truth; return S_OK;
    case Scalar::Number: out = s.number != 0; return S_OK;
    case Scalar::Text: {
        std::string text = trimmedAscii(s.text);
        if (equalsNoCase(text, "True") || equalsNoCase(text, "#TRUE#")) {
            out = true;
            return S_OK;
        }
        if (equalsNoCase(text, "False") || equalsNoCase(text, "#FALSE#")) {
            out = false;
            return S_OK;
        }
        auto parsed = parseNumber(text);
        if (!parsed) return DISP_E_TYPEMISMATCH;
        out = *parsed != 0;
        return S_OK;
    }
    }
    return DISP_E_TYPEMISMATCH;
}

std::string numberText(double value)
{
    char buffer[32];
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    else
        std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return buffer;
}

HRESULT toText(const Scalar& s, USHORT flags, std::u16string& out)
{
    switch (s.kind) {
    case Scalar::Empty: out.clear(); return S_OK;
    case Scalar::Text: out = s.text; return S_OK;
    case Scalar::Number: out = com::utf8ToUtf16(numberText(s.number)); return S_OK;
    case Scalar::Boolean:
        if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL))
            out = s.truth ? u"True" : u"False";
        else
            out = s.truth ? u"-1" : u"0";
        return S_OK;
    }
    return DISP_E_TYPEMISMATCH;
}

}  // namespace

void VariantInit(VARIANT* v)
{
    if (!v) return;
    v->vt = VT_EMPTY;
    v->reserved1 = v->reserved2 = v->reserved3 = 0;
    v->llVal = 0;
}

HRESULT VariantClear(VARIANT* v)
{
    if (!v) return E_INVALIDARG;
    if (v->vt == VT_BSTR) {
        SysFreeString(v->bstrVal);
    } else if (isInterface(v->vt)) {
        if (v->punkVal) v->punkVal->Release();
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* source)
{
    if (!dest || !source) return E_INVALIDARG;
    if (dest == source) return S_OK;
    VARIANT copy;
    copy.vt = source->vt;
    copy.llVal = source->llVal;
    if (source->vt == VT_BSTR && source->bstrVal) {
        copy.bstrVal = com::allocBstr(com::bstrView(source->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
    } else if (isInterface(source->vt) && source->punkVal) {
        source->punkVal->AddRef();
    }
    VariantClear(dest);
    *dest = copy;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, USHORT flags, VARTYPE type)
{
    if (!dest || !source) return E_INVALIDARG;
    if (source->vt == type) return VariantCopy(dest, source);
    Scalar value;
    if (HRESULT hr = readScalar(*source, value); FAILED(hr)) return hr;

    VARIANT result;
    switch (type) {
    case VT_I2:
        if (HRESULT hr = toInteger(value, result.iVal); FAILED(hr)) return hr;
        result.vt = VT_I2;
        break;
    case VT_I4:
        if (HRESULT hr = toInteger(value, result.lVal); FAILED(hr)) return hr;
        result.vt = VT_I4;
        break;
    case VT_BOOL: {
        bool truth = false;
        if (HRESULT hr = toBoolean(value, truth); FAILED(hr)) return hr;
        result.vt = VT_BOOL;
        result.boolVal = truth ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case VT_BSTR: {
        std::u16string text;
        if (HRESULT hr = toText(value, flags, text); FAILED(hr)) return hr;
        result.vt = VT_BSTR;
        result.bstrVal = com::allocBstr(std::u16string_view(text));
        if (!result.bstrVal) return E_OUTOFMEMORY;
        break;
    }
    case VT_R8: {
        if (value.kind == Scalar::Text) {
            auto parsed = parseNumber(trimmedAscii(value.text));
            if (!parsed) return DISP_E_TYPEMISMATCH;
            result.dblVal = *parsed;
        } else {
            result.dblVal = value.kind == Scalar::Boolean ? (value.truth ? -1.0 : 0.0) : value.number;
        }
        result.vt = VT_R8;
        break;
    }
    default: return DISP_E_BADVARTYPE;
    }
    // The source may be dest itself: it is read completely before dest is cleared.
    VariantClear(dest);
    *dest = result;
    return S_OK;
}
