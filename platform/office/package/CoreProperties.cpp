#include "office/package/CoreProperties.h"

#include <string>

namespace office {

void writeCoreProperties(XmlWriter& xml, std::time_t when, std::optional<std::u16string_view> title)
{
    std::tm utc{};
    gmtime_r(&when, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    xml.start("cp:coreProperties");
    xml.attr("xmlns:cp", "http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
    xml.attr("xmlns:dc", "http://purl.org/dc/elements/1.1/");
    xml.attr("xmlns:dcterms", "http://purl.org/dc/terms/");
    xml.attr("xmlns:dcmitype", "http://purl.org/dc/dcmitype/");
    xml.attr("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance");
    if (title) {
        xml.start("dc:title");
        xml.text(*title);
        xml.end("dc:title");
    }
    xml.raw("<dc:creator>Orvel</dc:creator><cp:lastModifiedBy>Orvel</cp:lastModifiedBy><cp:revision>1</cp:revision>");
    xml.raw("<dcterms:created xsi:type=\"dcterms:W3CDTF\">" + std::string(stamp) + "</dcterms:created>");
    xml.raw("<dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + std::string(stamp) + "</dcterms:modified>");
    xml.end("cp:coreProperties");
}

}  // namespace office
