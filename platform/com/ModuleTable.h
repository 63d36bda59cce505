// The COM modules this process has loaded: one dlopen handle per library
// path, kept until DllCanUnloadNow allows unloading.
#pragma once

#include <string>

#include "com/ComTypes.h"

namespace com_detail {

// Loads the module (once) and asks its DllGetClassObject. CO_E_DLLNOTFOUND
// when it does not load, CO_E_ERRORINDLL when it lacks the entry point; the
// loader's text goes to `detail`.
HRESULT getClassObjectFrom(const std::string& modulePath, REFCLSID clsid, REFIID riid, void** object,
                           std::string& detail);

void unloadUnusedModules();

}  // namespace com_detail
