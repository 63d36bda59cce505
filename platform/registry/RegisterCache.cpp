#include "registry/RegisterCache.h"

#include "registry/RegisterDynamic.h"

namespace {
// Marks a cached lookup that found nothing, so the registry is asked once only.
constexpr int absent = -1;
}

RegEntry RegisterCache::read(const KestString& group, const KestString& name, const RegEntry& defaultValue)
{
    auto key = std::make_pair(group, name);
    if (auto found = overrides_.find(key); found != overrides_.end()) return found->second;
    auto cached = cached_.find(key);
    if (cached == cached_.end()) {
        RegEntry marker(group, name, KestString(), absent);
        RegEntry fetched = RegisterDynamic().read(group, name, marker, false);
        cached = cached_.emplace(key, fetched).first;
    }
    if (cached->second.type == absent) return RegEntry(group, name, defaultValue.value, defaultValue.type);
    return cached->second;
}

void RegisterCache::override(const RegEntry& entry)
{
    overrides_[std::make_pair(entry.group, entry.name)] = entry;
}
