// The font record: face name, size and the four attribute switches that a
// slide text writer applies to the text it appends.
#pragma once

#include "support/KestObject.h"
#include "support/KestString.h"

class FontData : public KestObject {
public:
    FontData();
    FontData(const FontData&) = default;
    FontData& operator=(const FontData&) = default;
    ~FontData() override;

    // True when any field differs (names bytewise). There is deliberately no
    // operator==: equality is the negation of this one.
    bool operator!=(const FontData& other) const;

    // Empties the record: no name at all (not "Arial"), size 0, switches off.
    void clear();

    KestString name;
    short size = 0;  // 0: keep whatever size the text would otherwise have
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;  // carried along, never applied to slide text
};
