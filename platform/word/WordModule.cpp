// The entry points of liborvelword.so, the in-process server of the Word
// back-end stand-in.
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "WordDocument.h"
#include "WordIds.h"
#include "WordModuleLock.h"
#include "WordRegistration.h"
#include "com/ComObject.h"

namespace {

// The real path of this module file, as the registry must name it.
std::string modulePath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<const void*>(&modulePath), &info) || !info.dli_fname) return {};
    std::unique_ptr<char, decltype(&free)> resolved(realpath(info.dli_fname, nullptr), &free);
    return resolved ? std::string(resolved.get()) : std::string(info.dli_fname);
}

}  // namespace

COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(clsid == word::CLSID_WordDocument)) return CLASS_E_CLASSNOTAVAILABLE;
    return com::ClassFactory<word::WordDocument>::answer(word::wordModuleLock(), riid, object);
}

COM_EXPORT HRESULT DllCanUnloadNow()
{
    return word::wordModuleLock().count() == 0 ? S_OK : S_FALSE;
}

COM_EXPORT HRESULT DllRegisterServer()
{
    return word::registerWordServer(modulePath());
}

COM_EXPORT HRESULT DllUnregisterServer()
{
    return word::unregisterWordServer();
}
