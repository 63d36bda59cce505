#include "ModuleHandle.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace regtest {

std::string orvelcomPath()
{
    return std::string(ORVEL_LIB_DIR) + "/liborvelcom.so";
}

OrvelcomModule::OrvelcomModule()
{
    // Never closed: the runtime holds the same handle for the objects it makes.
    void* handle = dlopen(orvelcomPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        ADD_FAILURE() << dlerror();
        return;
    }
    getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
    registerServer = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, "DllRegisterServer"));
    unregisterServer = reinterpret_cast<DllUnregisterServerFn>(dlsym(handle, "DllUnregisterServer"));
    resource = reinterpret_cast<decltype(resource)>(dlsym(handle, "orvelcom_resource"));
    EXPECT_TRUE(getClassObject && canUnloadNow && registerServer && unregisterServer && resource);
}

}  // namespace regtest
