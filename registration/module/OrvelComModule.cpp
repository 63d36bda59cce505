// The entry points of liborvelcom.so, the in-process server of the classes
// Orvel (the presentation back-end) and PptComPage (its property page).
#include <new>

#include "com/ComObject.h"
#include "generator/Orvel.h"
#include "generator/OrvelIds.h"
#include "registration/ModuleResources.h"
#include "registration/ModulePath.h"
#include "registration/OrvelModule.h"
#include "registration/ServerRegistration.h"
#include "registry/Registry.h"
#include "settings/OrvelComPage.h"

namespace {

template <class Impl>
HRESULT classObject(REFIID riid, void** object)
{
    ComPtr<IClassFactory> factory(new com::ClassFactory<Impl>(orvelModuleLock()));
    return factory->QueryInterface(riid, object);
}

}  // namespace

COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    try {
        if (clsid == CLSID_Orvel) return classObject<Orvel>(riid, object);
        if (clsid == CLSID_PptComPage) return classObject<OrvelComPage>(riid, object);
        return CLASS_E_CLASSNOTAVAILABLE;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

COM_EXPORT HRESULT DllCanUnloadNow()
{
    return orvelModuleLock().count() == 0 ? S_OK : S_FALSE;
}

COM_EXPORT HRESULT DllRegisterServer()
{
    try {
        auto registry = registry::Registry::openDefault();
        return registration::registerServer(*registry, registration::modulePath());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return REGDB_E_WRITEREGDB;
    }
}

COM_EXPORT HRESULT DllUnregisterServer()
{
    try {
        auto registry = registry::Registry::openDefault();
        registration::unregisterServer(*registry, registration::modulePath());
    } catch (...) {
    }
    return S_OK;
}

// For programs that inspect the module: the data of a resource ("REGISTRY",
// "STRING", "TYPELIB", "VERSION") and its size, or null.
COM_EXPORT const char* orvelcom_resource(const char* type, int id, std::size_t* size)
{
    if (!type) return nullptr;
    try {
        auto found = registration::findResource(type, id);
        if (!found) return nullptr;
        if (size) *size = found->size();
        return found->data();
    } catch (...) {
        return nullptr;
    }
}
