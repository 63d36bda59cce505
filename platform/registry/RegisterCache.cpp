#include "registry/RegisterCache.h"

#include "registry/RegisterDynamic.h"

namespace {
// Marks a cached lookup that found nothing, so the registry is asked once only.
constexpr int absent = -1;

// The registry's names ignore ASCII letter case; so does the cache, so that an
// override meets the reads of the same setting however either is spelt.
std::pair<KestString, KestString> keyOf(const KestString& group, const KestString& name)
{
    std::pair<KestString, KestString> key(group, name);
    key.first.toLower();
    key.second.toLower();
    return key;
}

}  // namespace

RegEntry RegisterCache::read(const KestString& group, const KestString& name, const RegEntry& defaultValue)
{
    auto key = keyOf(group, name);
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
    overrides_[keyOf(entry.group, entry.name)] = entry;
}
