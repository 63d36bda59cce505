// The COM ABI as this platform provides it: HRESULT, GUID, BSTR, VARIANT and
// the three base interfaces. Layouts and values follow the Windows headers so
// that code written against COM reads the same here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LCID = std::uint32_t;
using DISPID = std::int32_t;
using BOOL = std::int32_t;
using VARIANT_BOOL = std::int16_t;
using OLECHAR = char16_t;
using BSTR = OLECHAR*;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;

constexpr BOOL TRUE_BOOL = 1;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr HRESULT makeHResult(std::uint32_t value) { return static_cast<HRESULT>(value); }
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr HRESULT HRESULT_FROM_WIN32(std::uint32_t code)
{
    return code == 0 ? 0 : makeHResult((code & 0xFFFFu) | 0x80070000u);
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = makeHResult(0x80004001);
constexpr HRESULT E_NOINTERFACE = makeHResult(0x80004002);
constexpr HRESULT E_POINTER = makeHResult(0x80004003);
constexpr HRESULT E_ABORT = makeHResult(0x80004004);
constexpr HRESULT E_FAIL = makeHResult(0x80004005);
constexpr HRESULT E_UNEXPECTED = makeHResult(0x8000FFFF);
constexpr HRESULT E_BOUNDS = makeHResult(0x8000000B);
constexpr HRESULT E_ACCESSDENIED = makeHResult(0x80070005);
constexpr HRESULT E_HANDLE = makeHResult(0x80070006);
constexpr HRESULT E_OUTOFMEMORY = makeHResult(0x8007000E);
constexpr HRESULT E_INVALIDARG = makeHResult(0x80070057);
constexpr HRESULT HR_FILE_NOT_FOUND = makeHResult(0x80070002);  // ERROR_FILE_NOT_FOUND
constexpr HRESULT HR_PATH_NOT_FOUND = makeHResult(0x80070003);  // ERROR_PATH_NOT_FOUND
constexpr HRESULT HR_DISK_FULL = makeHResult(0x80070070);       // ERROR_DISK_FULL
constexpr HRESULT HR_BAD_FORMAT = makeHResult(0x8007000B);      // ERROR_BAD_FORMAT
constexpr HRESULT RPC_E_SERVER_UNAVAILABLE = makeHResult(0x800706BA);  // RPC_S_SERVER_UNAVAILABLE
constexpr HRESULT CLASS_E_NOAGGREGATION = makeHResult(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = makeHResult(0x80040111);
constexpr HRESULT REGDB_E_CLASSNOTREG = makeHResult(0x80040154);
constexpr HRESULT REGDB_E_READREGDB = makeHResult(0x80040150);
constexpr HRESULT REGDB_E_WRITEREGDB = makeHResult(0x80040151);
constexpr HRESULT SELFREG_E_CLASS = makeHResult(0x80040201);
constexpr HRESULT SELFREG_E_TYPELIB = makeHResult(0x80040200);
constexpr HRESULT MK_E_UNAVAILABLE = makeHResult(0x800401E3);
constexpr HRESULT CO_E_CLASSSTRING = makeHResult(0x800401F3);
constexpr HRESULT CO_E_DLLNOTFOUND = makeHResult(0x800401F8);
constexpr HRESULT CO_E_ERRORINDLL = makeHResult(0x800401F9);
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = makeHResult(0x80020001);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = makeHResult(0x80020003);
constexpr HRESULT DISP_E_PARAMNOTFOUND = makeHResult(0x80020004);
constexpr HRESULT DISP_E_TYPEMISMATCH = makeHResult(0x80020005);
constexpr HRESULT DISP_E_UNKNOWNNAME = makeHResult(0x80020006);
constexpr HRESULT DISP_E_NONAMEDARGS = makeHResult(0x80020007);
constexpr HRESULT DISP_E_BADVARTYPE = makeHResult(0x80020008);
constexpr HRESULT DISP_E_EXCEPTION = makeHResult(0x80020009);
constexpr HRESULT DISP_E_OVERFLOW = makeHResult(0x8002000A);
constexpr HRESULT DISP_E_BADINDEX = makeHResult(0x8002000B);
constexpr HRESULT DISP_E_BADPARAMCOUNT = makeHResult(0x8002000E);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = makeHResult(0x8002000F);
constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = makeHResult(0x8002802B);
constexpr HRESULT TYPE_E_LIBNOTREGISTERED = makeHResult(0x8002801D);

// Class contexts for CoCreateInstance.
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_ALL = 0x17;

// IDispatch::Invoke flags.
constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr DISPID DISPID_UNKNOWN = -1;

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};

    friend constexpr bool operator==(const GUID& a, const GUID& b)
    {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.Data4[i] != b.Data4[i]) return false;
        return true;
    }
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
constexpr GUID GUID_NULL{};

namespace com_detail {
constexpr int hexValue(char c)
{
    return c >= '0' && c <= '9' ? c - '0'
         : c >= 'a' && c <= 'f' ? c - 'a' + 10
         : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                : throw "not a hexadecimal digit";
}
constexpr std::uint64_t hexField(const char* s, int digits)
{
    std::uint64_t v = 0;
    for (int i = 0; i < digits; ++i) v = v * 16 + static_cast<std::uint64_t>(hexValue(s[i]));
    return v;
}
}  // namespace com_detail

// Compile-time GUID from "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces required),
// so identifiers are written in the form the registry shows them.
constexpr GUID makeGuid(const char (&s)[39])
{
    using com_detail::hexField;
    if (s[0] != '{' || s[9] != '-' || s[14] != '-' || s[19] != '-' || s[24] != '-' || s[37] != '}')
        throw "GUID literal must look like {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    GUID g;
    g.Data1 = static_cast<std::uint32_t>(hexField(s + 1, 8));
    g.Data2 = static_cast<std::uint16_t>(hexField(s + 10, 4));
    g.Data3 = static_cast<std::uint16_t>(hexField(s + 15, 4));
    g.Data4[0] = static_cast<std::uint8_t>(hexField(s + 20, 2));
    g.Data4[1] = static_cast<std::uint8_t>(hexField(s + 22, 2));
    for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<std::uint8_t>(hexField(s + 25 + 2 * i, 2));
    return g;
}

// Base interfaces. Objects are destroyed by their own Release, never through
// an interface pointer, hence the protected non-virtual destructors.
struct IUnknown {
    static constexpr IID iid = makeGuid("{00000000-0000-0000-C000-000000000046}");
    virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

struct IClassFactory : IUnknown {
    static constexpr IID iid = makeGuid("{00000001-0000-0000-C000-000000000046}");
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

enum VARENUM : std::uint16_t {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_INT = 22,
    VT_UINT = 23,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_BYREF = 0x4000,
};
using VARTYPE = std::uint16_t;

struct IDispatch;
struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    WORD reserved1 = 0, reserved2 = 0, reserved3 = 0;
    union {
        std::int16_t iVal;
        std::int32_t lVal;
        std::int64_t llVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        HRESULT scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        std::int16_t* piVal;
        std::int32_t* plVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        VARIANT* pvarVal;
        void* byref;
    };
    VARIANT() : llVal(0) {}
};
using VARIANTARG = VARIANT;

struct DISPPARAMS {
    VARIANTARG* rgvarg = nullptr;  // arguments in reverse order: the last one first
    DISPID* rgdispidNamedArgs = nullptr;
    UINT cArgs = 0;
    UINT cNamedArgs = 0;
};

struct EXCEPINFO {
    WORD wCode = 0;
    WORD wReserved = 0;
    BSTR bstrSource = nullptr;
    BSTR bstrDescription = nullptr;
    BSTR bstrHelpFile = nullptr;
    DWORD dwHelpContext = 0;
    void* pvReserved = nullptr;
    void* pfnDeferredFillIn = nullptr;
    HRESULT scode = 0;
};

struct ITypeInfo;  // declared in com/TypeInfo.h

struct IDispatch : IUnknown {
    static constexpr IID iid = makeGuid("{00020400-0000-0000-C000-000000000046}");
    virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* exception, UINT* argumentError) = 0;

protected:
    ~IDispatch() = default;
};

// Standard out-of-process-free module entry points every COM module exports
// (with C linkage, looked up by name after dlopen).
using DllGetClassObjectFn = HRESULT (*)(REFCLSID clsid, REFIID riid, void** object);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();

#define COM_EXPORT extern "C" __attribute__((visibility("default")))
