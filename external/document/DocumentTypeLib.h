// The type library's description of IDocument and the IDispatch service every
// IDocument implementation uses: names to dispatch ids, and Invoke with
// VARIANT arguments (in the usual reverse order) mapped onto the vtable call.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "com/ComString.h"
#include "com/ComTypes.h"
#include "document/IDocument.h"

namespace doctypelib {

enum class ParamKind { BstrIn, ShortIn, LongIn, BoolIn, BstrOut };

struct ParamInfo {
    ParamKind kind;
    const char* name;
};

struct MethodInfo {
    DISPID dispid;
    const char* name;
    std::span<const ParamInfo> params;
    std::string_view helpString() const;  // "method " + name
};

// Type library identity.
constexpr GUID LIBID_ORVELCOMLib = makeGuid("{0BDD0893-F6AE-11D2-A6B7-00104B2AEFE1}");
constexpr const char* typeLibName = "ORVELCOMLib";
constexpr const char* typeLibHelpString = "Document PowerPoint 2.0 Type Library";
constexpr unsigned short typeLibMajor = 2;
constexpr unsigned short typeLibMinor = 0;
constexpr const char* interfaceHelpString = "IDocument Interface";

// The 42 methods in vtable order (index i has dispid i + 1).
std::span<const MethodInfo> methods();
const MethodInfo* findMethod(std::string_view name);  // exact, case-sensitive
const MethodInfo* findMethod(DISPID dispid);

// One argument of a call, as the method's parameter of that position takes it.
struct CallArgument {
    com::BStr text;           // BstrIn
    std::int32_t number = 0;  // ShortIn, LongIn, BoolIn (0 or 1)
    BSTR* out = nullptr;      // BstrOut
};
constexpr std::size_t maxParams = 4;
using CallArguments = std::array<CallArgument, maxParams>;

// Calls the method on target through the vtable, with args in declaration
// order. Exceptions the method raises pass to the caller unchanged.
HRESULT call(IDocument& target, const MethodInfo& method, const CallArguments& args);

// IDispatch members for an IDocument implementation to forward to.
HRESULT getTypeInfoCount(UINT* count);
HRESULT getTypeInfo(UINT index, LCID locale, ITypeInfo** info);
HRESULT getIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids);
// Exceptions raised by the target method (KestException, ComError) pass to
// the caller unchanged, as they do through the vtable.
HRESULT invoke(IDocument* target, DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* exception, UINT* argumentError);

}  // namespace doctypelib
