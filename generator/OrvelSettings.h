// The registry settings the generator reads, with their defaults, and the
// per-object overrides. Cached reads go through the object's RegisterCache
// (overrides visible); uncached reads see the registry as it is now.
#pragma once

#include "registry/RegisterCache.h"
#include "support/KestString.h"

class OrvelSettings {
public:
    // "Settings"/"InstallDir" through the cache, read once when an object is made.
    static KestString installDir(RegisterCache& cache);
    // "PowerPoint"/"PptTemplateName" through the cache.
    static KestString templateName(RegisterCache& cache);
    // The template file to apply: a bare name lives in the install directory's
    // "Templates\" folder (install directory read uncached); "" for none.
    static KestString templatePath(const KestString& templateName);
    // "Log"/"LogName" through the cache.
    static KestString logName(RegisterCache& cache);
    // "PowerPoint"/"ClosePauseMs" through the cache: the pause at the end of
    // close, 1000 ms unless set to a number of milliseconds.
    static unsigned closePauseMs(RegisterCache& cache);
    // The registry library's type code for an overrideRegistry value type.
    static int overrideType(short valueType);
    // Class identifier of the first back-end registered as "Microsoft Word";
    // "" when there is none or the list cannot be read.
    static KestString wordBackEnd();
};
