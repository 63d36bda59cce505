// Uncached settings access: every read sees the registry as it is now.
#pragma once

#include "registry/RegEntry.h"

class RegisterDynamic {
public:
    // The registry value, or the default's text. A registry that cannot be
    // read gives the default too (and says why once on standard error).
    RegEntry read(const KestString& group, const KestString& name, const RegEntry& defaultValue, bool machineWide);
    // False when the registry cannot be written.
    bool write(const KestString& group, const KestString& name, const RegEntry& entry, bool machineWide);
};
