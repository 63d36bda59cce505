#include "ModuleTable.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "NoDestructor.h"
#include "com/ComRuntime.h"

namespace com_detail {

namespace {

struct LoadedModule {
    void* handle = nullptr;
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr;
};

struct ModuleTable {
    std::recursive_mutex mutex;  // a module's entry points may create objects of other modules
    std::map<std::string, LoadedModule> modules;
};

ModuleTable& table()
{
    static platform_detail::NoDestructor<ModuleTable> instance;
    return instance.get();
}

std::string loaderError()
{
    const char* text = dlerror();
    return text ? text : "unknown loader error";
}

}  // namespace

HRESULT getClassObjectFrom(const std::string& modulePath, REFCLSID clsid, REFIID riid, void** object,
                           std::string& detail)
{
    ModuleTable& t = table();
    std::unique_lock lock(t.mutex);
    auto found = t.modules.find(modulePath);
    if (found == t.modules.end()) {
        void* handle = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            detail = loaderError();
            return CO_E_DLLNOTFOUND;
        }
        LoadedModule module;
        module.handle = handle;
        module.getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
        if (!module.getClassObject) {
            detail = loaderError();
            dlclose(handle);
            return CO_E_ERRORINDLL;
        }
        module.canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
        found = t.modules.emplace(modulePath, module).first;
    }
    DllGetClassObjectFn getClassObject = found->second.getClassObject;
    return getClassObject(clsid, riid, object);
}

void unloadUnusedModules()
{
    ModuleTable& t = table();
    std::lock_guard lock(t.mutex);
    for (auto it = t.modules.begin(); it != t.modules.end();) {
        LoadedModule& module = it->second;
        // A module without DllCanUnloadNow cannot say it is unused: it stays.
        if (module.canUnloadNow && module.canUnloadNow() == S_OK) {
            dlclose(module.handle);
            it = t.modules.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace com_detail
