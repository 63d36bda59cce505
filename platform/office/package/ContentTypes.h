// [Content_Types].xml: the media type of every part of a package, by
// extension (<Default>) or by part name (<Override>), written in the order
// given. Each entry goes straight into the XML: a deck of many slides has
// tens of thousands of overrides, which are not worth keeping twice.
#pragma once

#include <string_view>

#include "office/package/XmlWriter.h"

namespace office {

class ContentTypes {
public:
    // Starts the <Types> element (after the caller's declaration) with the
    // relationship parts' and plain XML's defaults.
    explicit ContentTypes(XmlWriter& xml);
    ContentTypes(const ContentTypes&) = delete;
    ContentTypes& operator=(const ContentTypes&) = delete;

    void byExtension(std::string_view extension, std::string_view type);
    void byPart(std::string_view partName, std::string_view type);
    // Ends the <Types> element.
    void finish();

private:
    XmlWriter& xml_;
};

}  // namespace office
