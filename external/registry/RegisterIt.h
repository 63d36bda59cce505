// The list of document back-ends registered beside this component, kept under
// HKEY_CURRENT_USER\Software\Orvel\Documents\<n> in registration order.
#pragma once

#include <list>

#include "support/KestString.h"

struct RegDoc {
    KestString name;         // "Microsoft Word"
    KestString description;  // free text for people
    KestString classId;      // a ProgID or "{CLSID}"
    KestString module;       // the module file that registered it
};

class RegisterIt {
public:
    static bool readDocs(std::list<RegDoc>& docs);
    // Adds or replaces (by classId) an entry at the end of the list.
    static bool addDoc(const RegDoc& doc);
    static bool removeDoc(const KestString& classId);
};
