// Where the settings classes keep a group/name pair in the registry, and how
// a setting's text maps to a typed registry value and back.
#pragma once

#include <optional>
#include <string>

#include "registry/RegEntry.h"
#include "registry/Registry.h"

namespace registry::settings {

// HKEY_CURRENT_USER (or HKEY_LOCAL_MACHINE) \Software\Orvel\<group>.
constexpr const char* rootKey = "Software\\Orvel";
Hive hiveFor(bool machineWide);
std::string keyFor(const KestString& group);

// The value as the text a setting carries: strings as they are, DWORDs in decimal.
std::string valueText(const Value& value);
// Text entries become REG_SZ; Number and Flag entries REG_DWORD when their
// text is a number (or a truth word for Flag), else REG_SZ so nothing is lost.
Value valueFor(const RegEntry& entry);

// Reads without throwing: nullopt when absent or when the registry fails
// (the failure is reported on standard error once).
std::optional<Value> readQuietly(bool machineWide, const KestString& group, const KestString& name);

// One line on standard error per distinct message, so a broken registry does
// not flood the output of a long run.
void reportOnce(const std::string& message);

}  // namespace registry::settings
