// The entry points of the PowerPoint stand-in's COM module.
#include "com/ComObject.h"
#include "com/ComRuntime.h"
#include "module/Registration.h"
#include "objects/AppState.h"
#include "objects/Objects.h"
#include "powerpoint/PowerPoint.h"

namespace {

// PowerPoint runs once per machine: creating it while it runs hands out the
// running application.
struct ApplicationClass {
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object)
    {
        if (outer) return CLASS_E_NOAGGREGATION;
        ComPtr<IUnknown> running;
        if (SUCCEEDED(GetActiveObject(PowerPoint::CLSID_Application, nullptr, running.put())) && running)
            return running->QueryInterface(riid, object);
        ComPtr<PowerPoint::_Application> application = ppt::makeApplication();
        return application->QueryInterface(riid, object);
    }
};

}  // namespace

COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(clsid == PowerPoint::CLSID_Application)) return CLASS_E_CLASSNOTAVAILABLE;
    return com::ClassFactory<ApplicationClass>::answer(ppt::engineModuleLock(), riid, object);
}

COM_EXPORT HRESULT DllCanUnloadNow() { return ppt::engineModuleLock().count() == 0 ? S_OK : S_FALSE; }

COM_EXPORT HRESULT DllRegisterServer() { return ppt::registerServer(reinterpret_cast<const void*>(&DllRegisterServer)); }

COM_EXPORT HRESULT DllUnregisterServer() { return ppt::unregisterServer(); }
