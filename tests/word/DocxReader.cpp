#include "DocxReader.h"

#include "common/PackageReader.h"

namespace wordtest {
namespace {

void collectText(const pugi::xml_node& node, std::string& out)
{
    for (pugi::xml_node child : node.children()) {
        std::string_view name = child.name();
        if (name == "w:t")
            out += child.text().get();
        else if (name == "w:tab")
            out += '\t';
        else if (name == "w:r" || name == "w:hyperlink" || name == "w:fldSimple")
            collectText(child, out);
    }
}

std::string paragraphText(const pugi::xml_node& paragraph)
{
    std::string text;
    collectText(paragraph, text);
    return text;
}

std::string cellText(const pugi::xml_node& cell)
{
    std::string text;
    bool first = true;
    for (pugi::xml_node p : cell.children("w:p")) {
        if (!first) text += "\n";
        text += paragraphText(p);
        first = false;
    }
    return text;
}

}  // namespace

std::map<std::string, std::string> readPackage(const std::filesystem::path& file)
{
    return pptx::readZip(file);
}

std::vector<TableText> tableTexts(const pugi::xml_document& document)
{
    std::vector<TableText> tables;
    for (pugi::xml_node table : document.child("w:document").child("w:body").children("w:tbl")) {
        TableText rows;
        for (pugi::xml_node row : table.children("w:tr")) {
            std::vector<std::string> cells;
            for (pugi::xml_node cell : row.children("w:tc")) cells.push_back(cellText(cell));
            rows.push_back(std::move(cells));
        }
        tables.push_back(std::move(rows));
    }
    return tables;
}

std::vector<std::string> bodyParagraphs(const pugi::xml_document& document)
{
    std::vector<std::string> texts;
    for (pugi::xml_node p : document.child("w:document").child("w:body").children("w:p"))
        texts.push_back(paragraphText(p));
    return texts;
}

std::string evaluate(const pugi::xml_node& node, const char* xpath)
{
    return pugi::xpath_query(xpath).evaluate_string(node);
}

}  // namespace wordtest
