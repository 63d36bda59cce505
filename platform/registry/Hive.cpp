#include <algorithm>
#include <cctype>

#include "registry/Registry.h"

namespace registry {

RegistryError::~RegistryError() = default;

const char* hiveName(Hive hive)
{
    switch (hive) {
    case Hive::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case Hive::CurrentUser: return "HKEY_CURRENT_USER";
    case Hive::LocalMachine: return "HKEY_LOCAL_MACHINE";
    }
    return "HKEY_UNKNOWN";
}

std::optional<Hive> hiveFromName(const std::string& name)
{
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "HKEY_CLASSES_ROOT" || upper == "HKCR") return Hive::ClassesRoot;
    if (upper == "HKEY_CURRENT_USER" || upper == "HKCU") return Hive::CurrentUser;
    if (upper == "HKEY_LOCAL_MACHINE" || upper == "HKLM") return Hive::LocalMachine;
    return std::nullopt;
}

}  // namespace registry
