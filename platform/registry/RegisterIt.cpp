#include "registry/RegisterIt.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <strings.h>

#include "SettingsStore.h"

namespace {

using registry::Hive;
using registry::Registry;

const std::string documentsKey = std::string(registry::settings::rootKey) + "\\Documents";

std::string entryKey(const std::string& number)
{
    return documentsKey + "\\" + number;
}

// Entries are numbered "0001", "0002", ...; foreign names sort after them.
std::vector<std::string> entryNames(Registry& reg)
{
    std::vector<std::string> names = reg.subKeys(Hive::CurrentUser, documentsKey);
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        char* endA = nullptr;
        char* endB = nullptr;
        unsigned long na = std::strtoul(a.c_str(), &endA, 10);
        unsigned long nb = std::strtoul(b.c_str(), &endB, 10);
        bool numericA = !a.empty() && *endA == '\0', numericB = !b.empty() && *endB == '\0';
        if (numericA != numericB) return numericA;
        return numericA ? na < nb : a < b;
    });
    return names;
}

std::string text(Registry& reg, const std::string& key, const char* name)
{
    auto value = reg.getValue(Hive::CurrentUser, key, name);
    return value ? registry::settings::valueText(*value) : std::string();
}

bool sameClass(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// Runs `work` on the default registry; a failure is reported once and
// answers false, as the callers expect of a settings store.
template <class Work>
bool onRegistry(Work&& work)
{
    try {
        auto reg = Registry::openDefault();
        return work(*reg);
    } catch (const std::exception& e) {
        registry::settings::reportOnce(e.what());
        return false;
    }
}

void writeEntry(Registry& reg, const std::string& key, const RegDoc& doc)
{
    reg.setValue(Hive::CurrentUser, key, "Name", registry::Value::string(doc.name.str()));
    reg.setValue(Hive::CurrentUser, key, "Description", registry::Value::string(doc.description.str()));
    reg.setValue(Hive::CurrentUser, key, "ClassId", registry::Value::string(doc.classId.str()));
    reg.setValue(Hive::CurrentUser, key, "Module", registry::Value::string(doc.module.str()));
}

}  // namespace

bool RegisterIt::readDocs(std::list<RegDoc>& docs)
{
    return onRegistry([&](Registry& reg) {
        std::list<RegDoc> found;
        for (const std::string& number : entryNames(reg)) {
            std::string key = entryKey(number);
            found.push_back(RegDoc{KestString(text(reg, key, "Name")), KestString(text(reg, key, "Description")),
                                   KestString(text(reg, key, "ClassId")), KestString(text(reg, key, "Module"))});
        }
        docs.splice(docs.end(), found);
        return true;
    });
}

bool RegisterIt::addDoc(const RegDoc& doc)
{
    return onRegistry([&](Registry& reg) {
        reg.transaction([&] {
            unsigned long highest = 0;
            for (const std::string& number : entryNames(reg)) {
                std::string key = entryKey(number);
                // Registering again keeps the entry's place in the list.
                if (sameClass(text(reg, key, "ClassId"), doc.classId.str())) {
                    writeEntry(reg, key, doc);
                    return;
                }
                highest = std::max(highest, std::strtoul(number.c_str(), nullptr, 10));
            }
            char number[16];
            std::snprintf(number, sizeof number, "%04lu", highest + 1);
            writeEntry(reg, entryKey(number), doc);
        });
        return true;
    });
}

bool RegisterIt::removeDoc(const KestString& classId)
{
    return onRegistry([&](Registry& reg) {
        bool removed = false;
        reg.transaction([&] {
            for (const std::string& number : entryNames(reg)) {
                std::string key = entryKey(number);
                if (sameClass(text(reg, key, "ClassId"), classId.str())) removed |= reg.deleteTree(Hive::CurrentUser, key);
            }
        });
        return removed;
    });
}
