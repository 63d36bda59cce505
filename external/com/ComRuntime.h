// Object creation through the registry, the running-object table, GUID
// strings. Classes are found as on Windows: ProgID -> CurVer -> CLSID ->
// InprocServer32 (a shared library path) -> dlopen -> DllGetClassObject.
#pragma once

#include <string>
#include <string_view>

#include "com/ComPtr.h"
#include "com/ComTypes.h"

// Windows-shaped entry points.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object);
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID riid, void** object);
// CO_E_CLASSSTRING when no class is registered under the ProgID.
HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);
// Accepts a braced CLSID string or a ProgID, as the Windows call does.
HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid);

// Running-object table (per process). RegisterActiveObject's cookie revokes.
HRESULT RegisterActiveObject(IUnknown* object, REFCLSID clsid, DWORD flags, DWORD* cookie);
HRESULT RevokeActiveObject(DWORD cookie, void* reserved);
HRESULT GetActiveObject(REFCLSID clsid, void* reserved, IUnknown** object);

namespace com {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
std::string guidToString(const GUID& guid);
// Accepts braces or none, either letter case; false on anything else.
bool guidFromString(std::string_view text, GUID& guid);

// Creates by "{CLSID}" or by ProgID, as the table support and `start` need.
HRESULT createInstance(std::string_view clsidOrProgId, DWORD context, REFIID riid, void** object);
template <class T>
ComPtr<T> createInstance(std::string_view clsidOrProgId, HRESULT* status = nullptr,
                         DWORD context = CLSCTX_ALL)
{
    ComPtr<T> out;
    HRESULT hr = createInstance(clsidOrProgId, context, T::iid, out.putVoid());
    if (status) *status = hr;
    return out;
}

// Documents open in a running application, by file path (the file moniker
// part of the running-object table). Paths are compared after resolution.
DWORD registerRunningFile(std::string_view path, IUnknown* object);
void revokeRunningFile(DWORD cookie);
bool isFileRunning(std::string_view path);

// Unloads modules whose DllCanUnloadNow answers S_OK (CoFreeUnusedLibraries).
void freeUnusedLibraries();

// Why the last failing creation call of this thread failed, in words (the
// loader's message for a module that does not load, the registry's error),
// as GetErrorInfo would give it; "" when there is nothing more to say.
std::string lastErrorDescription();

}  // namespace com
