// The lock count of the component's module: every live object of the module
// and every LockServer(TRUE) holds it; DllCanUnloadNow reads it.
#pragma once

#include "com/ComObject.h"

com::ModuleLock& orvelModuleLock();
