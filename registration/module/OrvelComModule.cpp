// The entry points of liborvelcom.so, the in-process server of the classes
// Orvel (the presentation back-end) and PptComPage (its property page).
#include "com/ComObject.h"
#include "generator/Orvel.h"
#include "generator/OrvelIds.h"
#include "registration/ModuleResources.h"
#include "registration/ModulePath.h"
#include "registration/OrvelModule.h"
#include "registration/ServerRegistration.h"
#include "registry/Registry.h"
#include "settings/OrvelComPage.h"

COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (clsid == CLSID_Orvel) return com::ClassFactory<Orvel>::answer(orvelModuleLock(), riid, object);
    if (clsid == CLSID_PptComPage) return com::ClassFactory<OrvelComPage>::answer(orvelModuleLock(), riid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

COM_EXPORT HRESULT DllCanUnloadNow()
{
    return orvelModuleLock().count() == 0 ? S_OK : S_FALSE;
}

COM_EXPORT HRESULT DllRegisterServer()
{
    return com::guardHresult(__func__, [] {
        auto registry = registry::Registry::openDefault();
        return registration::registerServer(*registry, registration::modulePath());
    }, REGDB_E_WRITEREGDB);
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
