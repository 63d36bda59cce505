// What DllRegisterServer and DllUnregisterServer of liborvelcom.so do, for a
// given module path: the classes' entries from the registration scripts
// (REGISTRY 101 and 106) and the type library's entries.
#pragma once

#include <string>

#include "com/ComTypes.h"
#include "registry/Registry.h"

namespace registration {

// Writes both classes' entries and registers the type library, as one
// transaction. S_OK, or the failure (nothing is changed then).
HRESULT registerServer(registry::Registry& registry, const std::string& modulePath);
// Removes both classes' entries; the type library stays registered.
HRESULT unregisterServer(registry::Registry& registry, const std::string& modulePath);

}  // namespace registration
