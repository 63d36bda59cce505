#include "office/package/ContentTypes.h"

#include "office/package/OpcNames.h"

namespace office {

ContentTypes::ContentTypes()
{
    byExtension("rels", opc::typeRelationships);
    byExtension("xml", "application/xml");
}

void ContentTypes::byExtension(std::string_view extension, std::string_view type)
{
    entries_.push_back({true, std::string(extension), std::string(type)});
}

void ContentTypes::byPart(std::string_view partName, std::string_view type)
{
    entries_.push_back({false, std::string(partName), std::string(type)});
}

void ContentTypes::write(XmlWriter& xml) const
{
    xml.start("Types");
    xml.attr("xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
    for (const Entry& e : entries_) {
        const char* tag = e.isDefault ? "Default" : "Override";
        xml.start(tag);
        xml.attr(e.isDefault ? "Extension" : "PartName", e.key);
        xml.attr("ContentType", e.type);
        xml.end(tag);
    }
    xml.end("Types");
}

}  // namespace office
