#include "office/package/ContentTypes.h"

#include "office/package/OpcNames.h"

namespace office {

ContentTypes::ContentTypes(XmlWriter& xml) : xml_(xml)
{
    xml_.start("Types");
    xml_.attr("xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
    byExtension("rels", opc::typeRelationships);
    byExtension("xml", "application/xml");
}

void ContentTypes::byExtension(std::string_view extension, std::string_view type)
{
    xml_.start("Default");
    xml_.attr("Extension", extension);
    xml_.attr("ContentType", type);
    xml_.end("Default");
}

void ContentTypes::byPart(std::string_view partName, std::string_view type)
{
    xml_.start("Override");
    xml_.attr("PartName", partName);
    xml_.attr("ContentType", type);
    xml_.end("Override");
}

void ContentTypes::finish() { xml_.end("Types"); }

}  // namespace office
