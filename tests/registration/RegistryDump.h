// The whole of one hive as sorted "key | name = data" lines, to compare
// registrations entry by entry.
#pragma once

#include <string>
#include <vector>

#include "registry/Registry.h"

namespace regtest {

std::vector<std::string> dump(registry::Registry& reg, registry::Hive hive, const std::string& from = "");

}  // namespace regtest
