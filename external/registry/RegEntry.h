// A setting: group, name, text value and the registry library's type code.
#pragma once

#include "support/KestString.h"

class RegEntry {
public:
    // Type codes of the library: how a value is stored in the registry.
    enum Type : int { Number = 0, Flag = 1, Text = 2 };

    RegEntry() = default;
    RegEntry(const KestString& value) : value(value) {}  // NOLINT: the library's one-argument form
    RegEntry(const KestString& group, const KestString& name, const KestString& value, int type)
        : group(group), name(name), value(value), type(type)
    {
    }

    operator KestString() const { return value; }  // NOLINT: the library's conversion

    KestString group;
    KestString name;
    KestString value;
    int type = Text;
};
