#include "registry/RegisterDynamic.h"

#include "SettingsStore.h"

RegEntry RegisterDynamic::read(const KestString& group, const KestString& name, const RegEntry& defaultValue,
                               bool machineWide)
{
    auto value = registry::settings::readQuietly(machineWide, group, name);
    if (!value) return RegEntry(group, name, defaultValue.value, defaultValue.type);
    int type = value->type == registry::ValueType::Dword
                   ? (defaultValue.type == RegEntry::Flag ? RegEntry::Flag : RegEntry::Number)
                   : RegEntry::Text;
    return RegEntry(group, name, KestString(registry::settings::valueText(*value)), type);
}

bool RegisterDynamic::write(const KestString& group, const KestString& name, const RegEntry& entry, bool machineWide)
{
    try {
        registry::Registry::openDefault()->setValue(registry::settings::hiveFor(machineWide),
                                                    registry::settings::keyFor(group), name.str(),
                                                    registry::settings::valueFor(entry));
        return true;
    } catch (const std::exception& e) {
        registry::settings::reportOnce(e.what());
        return false;
    }
}
