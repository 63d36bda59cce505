#include "PropertiesParts.h"

#include "office/package/CoreProperties.h"
#include "office/package/XmlWriter.h"

namespace word {

std::string corePropertiesXml(std::time_t created)
{
    office::XmlDocument w;
    office::writeCoreProperties(w, created);
    return w.finish();
}

std::string appPropertiesXml(const DocumentStatistics& s)
{
    office::XmlDocument w;
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
