#include "document/DocumentTypeLib.h"

#include <array>
#include <string>
#include <utility>

#include "com/ComString.h"
#include "com/Variant.h"

namespace doctypelib {
namespace {

#define ORVEL_UNPAREN_(...) __VA_ARGS__
#define ORVEL_UNPAREN(x) ORVEL_UNPAREN_ x
#define P(kind, name) ParamInfo{ParamKind::kind, #name}

// Parameter lists, one array per method, behind one unused slot so that an
// empty list is still an array.
#define ORVEL_PARAM_ARRAY(id, name, params, info) \
    constexpr ParamInfo name##Params[] = {ParamInfo{ParamKind::BstrIn, nullptr}, ORVEL_UNPAREN(info)};
ORVEL_IDOCUMENT_METHODS(ORVEL_PARAM_ARRAY)
#undef ORVEL_PARAM_ARRAY
#undef P

#define ORVEL_METHOD_INFO(id, name, params, info) \
    MethodInfo{id, #name, std::span<const ParamInfo>(name##Params + 1, std::size(name##Params) - 1)},
constexpr MethodInfo methodTable[] = {ORVEL_IDOCUMENT_METHODS(ORVEL_METHOD_INFO)};
#undef ORVEL_METHOD_INFO

constexpr bool dispidsAreVtablePositions()
{
    for (std::size_t i = 0; i < std::size(methodTable); ++i)
        if (methodTable[i].dispid != static_cast<DISPID>(i + 1)) return false;
    return true;
}
static_assert(std::size(methodTable) == 42 && dispidsAreVtablePositions());

bool equalsIgnoringCase(std::u16string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? char16_t(a[i] - u'A' + u'a') : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] - 'A' + 'a') : b[i];
        if (x != static_cast<unsigned char>(y)) return false;
    }
    return true;
}

// An argument handed to the parameter type of the method's signature.
struct Passed {
    const CallArgument& arg;
    explicit operator BSTR() const { return arg.text.get(); }
    explicit operator SHORT() const { return static_cast<SHORT>(arg.number); }
    explicit operator LONG() const { return arg.number; }
    explicit operator BSTR*() const { return arg.out; }
};

template <class... A, std::size_t... I>
HRESULT callWith(IDocument& target, HRESULT (IDocument::*method)(A...), const CallArguments& args,
                 std::index_sequence<I...>)
{
    return (target.*method)(static_cast<A>(Passed{args[I]})...);
}

template <class... A>
HRESULT callMethod(IDocument& target, HRESULT (IDocument::*method)(A...), const CallArguments& args)
{
    return callWith(target, method, args, std::index_sequence_for<A...>{});
}

using Thunk = HRESULT (*)(IDocument&, const CallArguments&);
#define ORVEL_THUNK(id, name, params, info) \
    [](IDocument& t, const CallArguments& a) { return callMethod(t, &IDocument::name, a); },
const Thunk thunks[] = {ORVEL_IDOCUMENT_METHODS(ORVEL_THUNK)};
#undef ORVEL_THUNK
static_assert(std::size(thunks) == std::size(methodTable));

// Coerces one VARIANT to the parameter's kind; DISP_E_TYPEMISMATCH when it cannot.
HRESULT coerce(const VARIANT& given, ParamKind kind, CallArgument& arg)
{
    const VARIANT* source = &given;
    if (given.vt == (VT_BYREF | VT_VARIANT) && given.pvarVal) source = given.pvarVal;
    if (kind == ParamKind::BstrOut) {
        if (source->vt != (VT_BYREF | VT_BSTR) || !source->pbstrVal) return DISP_E_TYPEMISMATCH;
        arg.out = source->pbstrVal;
        return S_OK;
    }
    VARIANT converted;
    VariantInit(&converted);
    VARTYPE wanted = kind == ParamKind::BstrIn ? VT_BSTR
                   : kind == ParamKind::ShortIn ? VT_I2
                   : kind == ParamKind::LongIn  ? VT_I4
                                                : VT_BOOL;
    HRESULT hr = VariantChangeType(&converted, source, 0, wanted);
    if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
    switch (kind) {
    case ParamKind::BstrIn: arg.text = com::BStr::attach(converted.bstrVal); return S_OK;
    case ParamKind::ShortIn: arg.number = converted.iVal; break;
    case ParamKind::LongIn: arg.number = converted.lVal; break;
    case ParamKind::BoolIn: arg.number = converted.boolVal != VARIANT_FALSE ? 1 : 0; break;
    case ParamKind::BstrOut: break;
    }
    VariantClear(&converted);
    return S_OK;
}

const std::array<std::string, std::size(methodTable)>& helpStrings()
{
    static const auto strings = [] {
        std::array<std::string, std::size(methodTable)> s;
        for (std::size_t i = 0; i < s.size(); ++i) s[i] = std::string("method ") + methodTable[i].name;
        return s;
    }();
    return strings;
}

}  // namespace

std::string_view MethodInfo::helpString() const
{
    return helpStrings()[static_cast<std::size_t>(dispid - 1)];
}

std::span<const MethodInfo> methods()
{
    return methodTable;
}

const MethodInfo* findMethod(std::string_view name)
{
    for (const MethodInfo& m : methodTable)
        if (name == m.name) return &m;
    return nullptr;
}

const MethodInfo* findMethod(DISPID dispid)
{
    if (dispid < 1 || dispid > static_cast<DISPID>(std::size(methodTable))) return nullptr;
    return &methodTable[dispid - 1];
}

HRESULT getTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;  // no ITypeInfo is served yet: callers use names and ids
    return S_OK;
}

HRESULT getTypeInfo(UINT /*index*/, LCID /*locale*/, ITypeInfo** info)
{
    if (!info) return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT getIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids)
{
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    const MethodInfo* method = nullptr;
    if (names[0]) {
        std::u16string_view wanted(names[0]);
        for (const MethodInfo& m : methodTable)
            if (equalsIgnoringCase(wanted, m.name)) method = &m;
    }
    ids[0] = method ? method->dispid : DISPID_UNKNOWN;
    bool allFound = method != nullptr;
    // Further names are parameter names: their ids are their positions.
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (!method || !names[i]) {
            allFound = false;
            continue;
        }
        std::u16string_view wanted(names[i]);
        for (std::size_t p = 0; p < method->params.size(); ++p)
            if (equalsIgnoringCase(wanted, method->params[p].name)) ids[i] = static_cast<DISPID>(p);
        if (ids[i] == DISPID_UNKNOWN) allFound = false;
    }
    return allFound ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT invoke(IDocument* target, DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* /*exception*/, UINT* argumentError)
{
    if (!target) return E_POINTER;
    const MethodInfo* method = findMethod(member);
    if (!method) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none;
    if (!params) params = &none;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params->cArgs != method->params.size()) return DISP_E_BADPARAMCOUNT;
    if (params->cArgs > 0 && !params->rgvarg) return E_POINTER;

    CallArguments args;
    for (std::size_t i = 0; i < method->params.size(); ++i) {
        // Automation passes arguments last-first.
        std::size_t position = params->cArgs - 1 - i;
        HRESULT hr = coerce(params->rgvarg[position], method->params[i].kind, args[i]);
        if (FAILED(hr)) {
            if (argumentError) *argumentError = static_cast<UINT>(position);
            return hr;
        }
    }
    if (result) VariantInit(result);
    return call(*target, *method, args);
}

HRESULT call(IDocument& target, const MethodInfo& method, const CallArguments& args)
{
    return thunks[method.dispid - 1](target, args);
}

}  // namespace doctypelib
