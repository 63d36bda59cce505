// The lock count of liborvelword.so: every live document object and every
// LockServer(TRUE) holds it; DllCanUnloadNow reads it.
#pragma once

#include "com/ComObject.h"

namespace word {

com::ModuleLock& wordModuleLock();

}  // namespace word
