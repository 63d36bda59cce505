// Registers the modules built in this tree into the current registry
// ($ORVEL_REGISTRY, see ScopedRegistry), as `orvel register` does.
#pragma once

#include <string>

namespace testenv {

// Loads build/lib/<fileName> and calls its DllRegisterServer; true on S_OK.
// The error (dlopen text or HRESULT) goes to *error when given.
bool registerModule(const std::string& fileName, std::string* error = nullptr);
bool unregisterModule(const std::string& fileName, std::string* error = nullptr);

}  // namespace testenv
