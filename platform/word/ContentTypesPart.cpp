#include "ContentTypesPart.h"

#include "XmlWriter.h"

namespace word {

std::string contentTypesXml(const std::set<ImageType>& pictureTypes)
{
    XmlWriter w;
    w.open("Types").attr("xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
    auto byExtension = [&](const char* extension, const char* type) {
        w.open("Default").attr("Extension", extension).attr("ContentType", type).close();
    };
    byExtension("rels", "application/vnd.openxmlformats-package.relationships+xml");
    byExtension("xml", "application/xml");
    for (ImageType t : pictureTypes) byExtension(fileExtension(t), contentType(t));

    auto byPart = [&](const char* part, const char* type) {
        w.open("Override").attr("PartName", part).attr("ContentType", type).close();
    };
    byPart("/word/document.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");
    byPart("/word/styles.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml");
    byPart("/word/settings.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml");
    byPart("/word/fontTable.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.fontTable+xml");
    byPart("/docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
    byPart("/docProps/app.xml", "application/vnd.openxmlformats-officedocument.extended-properties+xml");
    return w.finish();
}

}  // namespace word
