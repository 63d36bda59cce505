#include "RegistryDump.h"

#include <algorithm>

namespace regtest {
namespace {

void walk(registry::Registry& reg, registry::Hive hive, const std::string& key, std::vector<std::string>& out)
{
    auto values = reg.values(hive, key);
    if (values.empty()) out.push_back(key);
    for (const auto& [name, value] : values) {
        std::string data = value.type == registry::ValueType::Dword ? std::to_string(value.dword) : value.text;
        out.push_back(key + " | " + (name.empty() ? "(default)" : name) + " = " + data);
    }
    for (const std::string& sub : reg.subKeys(hive, key)) walk(reg, hive, key.empty() ? sub : key + "\\" + sub, out);
}

}  // namespace

std::vector<std::string> dump(registry::Registry& reg, registry::Hive hive, const std::string& from)
{
    std::vector<std::string> out;
    if (from.empty()) {
        for (const std::string& top : reg.subKeys(hive, "")) walk(reg, hive, top, out);
    } else if (reg.keyExists(hive, from)) {
        walk(reg, hive, from, out);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace regtest
