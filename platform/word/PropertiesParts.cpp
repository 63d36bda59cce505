#include "PropertiesParts.h"

#include "XmlWriter.h"

namespace word {
namespace {

std::string w3cdtf(std::time_t when)
{
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace

std::string corePropertiesXml(std::time_t created)
{
    const std::string stamp = w3cdtf(created);
    XmlWriter w;
    w.open("cp:coreProperties")
        .attr("xmlns:cp", "http://schemas.openxmlformats.org/package/2006/metadata/core-properties")
        .attr("xmlns:dc", "http://purl.org/dc/elements/1.1/")
        .attr("xmlns:dcterms", "http://purl.org/dc/terms/")
        .attr("xmlns:dcmitype", "http://purl.org/dc/dcmitype/")
        .attr("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance");
    w.open("dc:creator").text("Orvel").close();
    w.open("cp:lastModifiedBy").text("Orvel").close();
    w.open("cp:revision").text("1").close();
    w.open("dcterms:created").attr("xsi:type", "dcterms:W3CDTF").text(stamp).close();
    w.open("dcterms:modified").attr("xsi:type", "dcterms:W3CDTF").text(stamp).close();
    return w.finish();
}

std::string appPropertiesXml(const DocumentStatistics& s)
{
    XmlWriter w;
    w.open("Properties")
        .attr("xmlns", "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties")
        .attr("xmlns:vt", "http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes");
    auto value = [&](const char* name, const std::string& text) { w.open(name).text(text).close(); };
    value("TotalTime", "0");
    value("Pages", std::to_string(s.pages));
    value("Words", std::to_string(s.words));
    value("Characters", std::to_string(s.characters));
    value("Application", "Orvel");
    value("DocSecurity", "0");
    value("Paragraphs", std::to_string(s.paragraphs));
    value("ScaleCrop", "false");
    value("LinksUpToDate", "false");
    value("CharactersWithSpaces", std::to_string(s.charactersWithSpaces));
    value("SharedDoc", "false");
    value("HyperlinksChanged", "false");
    return w.finish();
}

}  // namespace word
