// The registry entries that make PowerPoint.Application creatable: the ProgID
// and the class with its in-process server (this module's real path).
#pragma once

#include "com/ComTypes.h"

namespace ppt {

// addressInModule: any address inside the module file to register.
HRESULT registerServer(const void* addressInModule);
HRESULT unregisterServer();

}  // namespace ppt
