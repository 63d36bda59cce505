// [Content_Types].xml: the media type of every part of a package, by
// extension (<Default>) or by part name (<Override>), written in the order
// given. The relationship parts' and plain XML's defaults come first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "office/package/XmlWriter.h"

namespace office {

class ContentTypes {
public:
    ContentTypes();
    void byExtension(std::string_view extension, std::string_view type);
    void byPart(std::string_view partName, std::string_view type);
    // The <Types> element (the caller writes the declaration).
    void write(XmlWriter& xml) const;

private:
    struct Entry {
        bool isDefault;
        std::string key;  // extension or part name
        std::string type;
    };
    std::vector<Entry> entries_;
};

}  // namespace office
