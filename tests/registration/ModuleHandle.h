// liborvelcom.so of this tree, loaded as the COM runtime loads it, with its
// entry points at hand.
#pragma once

#include <string>

#include "com/ComTypes.h"

namespace regtest {

std::string orvelcomPath();

struct OrvelcomModule {
    OrvelcomModule();  // fails the test when the module does not load
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr;
    DllRegisterServerFn registerServer = nullptr;
    DllUnregisterServerFn unregisterServer = nullptr;
    const char* (*resource)(const char* type, int id, std::size_t* size) = nullptr;
};

}  // namespace regtest
