// Class lookup and creation through the registry:
// ProgID -> CLSID (or CurVer -> ProgID -> CLSID) -> InprocServer32 -> module.
#include "com/ComRuntime.h"

#include "ModuleTable.h"
#include "com/ComString.h"
#include "registry/Registry.h"

namespace {

using registry::Hive;

thread_local std::string lastDescription;

HRESULT failWith(HRESULT hr, std::string description)
{
    lastDescription = std::move(description);
    return hr;
}

std::optional<std::string> defaultText(registry::Registry& reg, const std::string& key)
{
    auto value = reg.getValue(Hive::ClassesRoot, key, "");
    if (!value || (value->type != registry::ValueType::String && value->type != registry::ValueType::ExpandString))
        return std::nullopt;
    return value->text;
}

// A ProgID names a key of its own, never a path below one.
bool plausibleProgId(std::string_view progId)
{
    return !progId.empty() && progId.size() <= 255 && progId.find('\\') == std::string_view::npos &&
           progId.front() != '{';
}

HRESULT clsidFromProgId(const std::string& progId, CLSID& clsid)
{
    if (!plausibleProgId(progId)) return failWith(CO_E_CLASSSTRING, "not a class name: \"" + progId + "\"");
    try {
        auto reg = registry::Registry::openDefault();
        std::string current = progId;
        // Follows CurVer a few steps; more would be a loop in the registry.
        for (int step = 0; step < 8; ++step) {
            if (!reg->keyExists(Hive::ClassesRoot, current)) break;
            if (auto text = defaultText(*reg, current + "\\CLSID")) {
                if (com::guidFromString(*text, clsid)) return S_OK;
                return failWith(CO_E_CLASSSTRING, "the class identifier of " + current + " is malformed: " + *text);
            }
            auto next = defaultText(*reg, current + "\\CurVer");
            if (!next || !plausibleProgId(*next)) break;
            current = *next;
        }
        return failWith(CO_E_CLASSSTRING, "no class is registered under the name \"" + progId + "\"");
    } catch (const registry::RegistryError& e) {
        return failWith(REGDB_E_READREGDB, e.what());
    }
}

}  // namespace

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID riid, void** object)
{
    if (!object) return failWith(E_POINTER, {});
    *object = nullptr;
    lastDescription.clear();
    std::string clsidText = com::guidToString(clsid);
    // Only in-process servers exist on this platform.
    if (!(context & (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)))
        return failWith(REGDB_E_CLASSNOTREG, "no in-process server is allowed for " + clsidText);
    std::optional<std::string> modulePath;
    try {
        auto reg = registry::Registry::openDefault();
        modulePath = defaultText(*reg, "CLSID\\" + clsidText + "\\InprocServer32");
    } catch (const registry::RegistryError& e) {
        return failWith(REGDB_E_READREGDB, e.what());
    }
    if (!modulePath || modulePath->empty())
        return failWith(REGDB_E_CLASSNOTREG, "class " + clsidText + " is not registered");
    std::string detail;
    HRESULT hr = com_detail::getClassObjectFrom(*modulePath, clsid, riid, object, detail);
    if (FAILED(hr)) return failWith(hr, detail);
    return hr;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object)
{
    if (!object) return failWith(E_POINTER, {});
    *object = nullptr;
    ComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(clsid, context, nullptr, IClassFactory::iid, factory.putVoid());
    if (FAILED(hr)) return hr;
    if (!factory) return failWith(E_UNEXPECTED, "the class object of " + com::guidToString(clsid) + " is null");
    hr = factory->CreateInstance(outer, riid, object);
    if (FAILED(hr)) *object = nullptr;
    return hr;
}

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid)
{
    if (!progId || !clsid) return failWith(E_INVALIDARG, {});
    lastDescription.clear();
    return clsidFromProgId(com::utf16ToUtf8(progId), *clsid);
}

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid)
{
    if (!text || !clsid) return failWith(E_INVALIDARG, {});
    lastDescription.clear();
    std::string s = com::utf16ToUtf8(text);
    if (!s.empty() && s.front() == '{') {
        if (s.size() == 38 && com::guidFromString(s, *clsid)) return S_OK;
        return failWith(CO_E_CLASSSTRING, "malformed class identifier: " + s);
    }
    return clsidFromProgId(s, *clsid);
}

namespace com {

HRESULT createInstance(std::string_view clsidOrProgId, DWORD context, REFIID riid, void** object)
{
    if (!object) return failWith(E_POINTER, {});
    *object = nullptr;
    lastDescription.clear();
    CLSID clsid;
    std::string text(clsidOrProgId);
    HRESULT hr = S_OK;
    if (!text.empty() && text.front() == '{')
        hr = text.size() == 38 && guidFromString(text, clsid) ? S_OK
                                                              : failWith(CO_E_CLASSSTRING, "malformed class identifier: " + text);
    else
        hr = clsidFromProgId(text, clsid);
    if (FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, context, riid, object);
}

void freeUnusedLibraries()
{
    com_detail::unloadUnusedModules();
}

std::string lastErrorDescription()
{
    return lastDescription;
}

}  // namespace com
