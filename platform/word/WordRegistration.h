// What registering the Word stand-in writes: its class under
// HKEY_CLASSES_ROOT (CLSID, both ProgIDs, the module path) and its entry
// "Microsoft Word" in the list of document back-ends, all in one
// transaction, so a failure leaves the registry as it was.
#pragma once

#include <string>

#include "com/ComTypes.h"

namespace word {

// modulePath: the full path of the module file holding the class.
HRESULT registerWordServer(const std::string& modulePath);
// Removes what registration wrote; always S_OK.
HRESULT unregisterWordServer();

}  // namespace word
