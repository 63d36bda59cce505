#include "DocxReader.h"

#include <gtest/gtest.h>

#include "common/PackageReader.h"
#include "media/DocxTableReader.h"

namespace wordtest {

pugi::xml_document mainPart(const std::filesystem::path& docx)
{
    const std::string xml = pptx::readZip(docx)["word/document.xml"];
    pugi::xml_document document;
    EXPECT_TRUE(document.load_buffer(xml.data(), xml.size())) << docx;
    return document;
}

std::vector<TableText> tableTexts(const std::filesystem::path& docx)
{
    std::vector<TableText> tables;
    for (const pptmedia::DocxTable& table : pptmedia::readDocxTables(docx, docx.filename().string()).tables) {
        TableText& rows = tables.emplace_back();
        for (const pptmedia::DocxRow& row : table.rows) {
            auto& cells = rows.emplace_back();
            for (const pptmedia::DocxCell& cell : row.cells) cells.push_back(cell.text());
        }
    }
    return tables;
}

std::vector<std::string> bodyParagraphs(const pugi::xml_document& document)
{
    std::vector<std::string> texts;
    for (const pugi::xpath_node& p : document.select_nodes("/w:document/w:body/w:p")) texts.push_back(evaluate(p.node(), "string(.)"));
    return texts;
}

std::string evaluate(const pugi::xml_node& node, const char* xpath)
{
    return pugi::xpath_query(xpath).evaluate_string(node);
}

}  // namespace wordtest
