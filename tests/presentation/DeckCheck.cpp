#include "DeckCheck.h"

#include <pugixml.hpp>

namespace deck {

std::vector<std::string> paragraphs(const std::string& partXml)
{
    std::vector<std::string> out;
    pugi::xml_document doc;
    if (!doc.load_string(partXml.c_str())) return out;
    for (const pugi::xpath_node& found : doc.select_nodes("//a:p")) {
        std::string text;
        for (pugi::xml_node child : found.node().children()) {
            const std::string name = child.name();
            if (name == "a:r" || name == "a:fld") text += child.child("a:t").text().get();
            if (name == "a:br") text += "\v";
        }
        out.push_back(text);
    }
    return out;
}

}  // namespace deck
