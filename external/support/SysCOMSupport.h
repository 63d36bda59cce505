// Running objects and running documents.
#pragma once

#include "com/ComPtr.h"
#include "support/KestString.h"

class SysCOMSupport {
public:
    // The object registered in the running-object table for the class
    // identifier string ("{...}"), or null.
    static ComPtr<IUnknown> getRunningIUnknown(const KestString& clsid);
    // A document of that path is registered as open by a running application.
    static bool isFileRunning(const KestString& path);
};
