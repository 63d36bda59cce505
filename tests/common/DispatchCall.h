// Calls through IDispatch as an automation client makes them: by name or
// id, with VARIANT arguments given in call order.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "com/ComString.h"
#include "com/Variant.h"

namespace testenv {

inline VARIANT variant(VARTYPE type, std::int32_t n = 0, BSTR* out = nullptr)
{
    VARIANT v;
    v.vt = type;
    if (type == VT_I2) v.iVal = static_cast<std::int16_t>(n);
    if (type == VT_I4) v.lVal = n;
    if (type == (VT_BYREF | VT_BSTR)) v.pbstrVal = out;
    return v;
}

inline VARIANT text(std::string_view utf8)
{
    VARIANT v = variant(VT_BSTR);
    v.bstrVal = com::allocBstr(utf8);
    return v;
}

// Arguments for Invoke, given in call order (automation passes the last
// first), freed when the call is over.
struct Arguments {
    Arguments(std::initializer_list<VARIANT> inCallOrder = {}) : values(inCallOrder.begin(), inCallOrder.end())
    {
        std::reverse(values.begin(), values.end());
        params = {values.data(), nullptr, static_cast<UINT>(values.size()), 0};
    }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    ~Arguments()
    {
        for (VARIANT& v : values) VariantClear(&v);
    }
    std::vector<VARIANT> values;
    DISPPARAMS params;
};

// The id of `name`, DISPID_UNKNOWN when it has none.
inline DISPID idOf(IDispatch& dispatch, const char* name)
{
    std::u16string n = com::utf8ToUtf16(name);
    LPOLESTR names[] = {n.data()};
    DISPID id = DISPID_UNKNOWN;
    dispatch.GetIDsOfNames(GUID_NULL, names, 1, 0, &id);
    return id;
}

inline HRESULT invoke(IDispatch& dispatch, DISPID id, Arguments&& args, UINT* argumentError = nullptr,
                      WORD flags = DISPATCH_METHOD)
{
    VARIANT result;
    EXCEPINFO exception;
    UINT error = 0;
    HRESULT hr = dispatch.Invoke(id, GUID_NULL, 0, flags, &args.params, &result, &exception,
                                 argumentError ? argumentError : &error);
    VariantClear(&result);
    return hr;
}

}  // namespace testenv
