// Per-object settings cache with overrides that are never written back.
// Settings live under HKEY_CURRENT_USER\Software\Orvel\<group>, value <name>.
#pragma once

#include <map>
#include <utility>

#include "registry/RegEntry.h"

class RegisterCache {
public:
    // The override for (group, name) if one was made on this cache, else the
    // registry value (fetched once, then cached), else the default's text.
    RegEntry read(const KestString& group, const KestString& name, const RegEntry& defaultValue);
    void override(const RegEntry& entry);

private:
    std::map<std::pair<KestString, KestString>, RegEntry> overrides_;
    std::map<std::pair<KestString, KestString>, RegEntry> cached_;
};
