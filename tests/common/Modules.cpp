#include "common/Modules.h"

#include <cstdio>
#include <dlfcn.h>

#include "com/ComTypes.h"

namespace testenv {
namespace {

bool callEntryPoint(const std::string& fileName, const char* entryPoint, std::string* error)
{
    std::string path = std::string(ORVEL_LIB_DIR) + "/" + fileName;
    // The handle stays open: the registry now names this file and objects
    // created from it may outlive this call.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        if (error) *error = dlerror();
        return false;
    }
    auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(module, entryPoint));
    if (!entry) {
        if (error) *error = path + " has no " + entryPoint;
        return false;
    }
    HRESULT hr = entry();
    if (hr != S_OK && error) {
        char text[64];
        std::snprintf(text, sizeof text, "%s returned 0x%x", entryPoint, static_cast<unsigned>(hr));
        *error = text;
    }
    return hr == S_OK;
}

}  // namespace

bool registerModule(const std::string& fileName, std::string* error)
{
    return callEntryPoint(fileName, "DllRegisterServer", error);
}

bool unregisterModule(const std::string& fileName, std::string* error)
{
    return callEntryPoint(fileName, "DllUnregisterServer", error);
}

}  // namespace testenv
