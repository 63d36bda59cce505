// Each part writer on its own: what the sample package (WordDocumentTest)
// cannot show. Content types and relationship kinds: the validator.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "DocxReader.h"
#include "DocumentBuilder.h"
#include "DocumentLayout.h"
#include "DocumentPart.h"
#include "FontTablePart.h"
#include "PropertiesParts.h"
#include "office/package/Relationships.h"

using namespace word;

namespace {

pugi::xml_document parse(const std::string& xml)
{
    pugi::xml_document doc;
    pugi::xml_parse_result result = doc.load_string(xml.c_str());
    EXPECT_TRUE(result) << result.description() << "\n" << xml;
    return doc;
}

}  // namespace

// Every run property at once in the schema's order, dates, statistics,
// unknown font families, links.
TEST(PartWriters, WhatTheSamplePackageDoesNotShow)
{
    DocumentBuilder builder;
    builder.setFontName("Times New Roman");
    for (int attribute : {1, 2, 4, 8}) builder.setFontAttribute(attribute, true);
    builder.insertText("styled");
    office::Relationships rels;
    auto document = parse(documentXml(builder.content(), layOutDocument(builder.content()), rels));
    std::vector<std::string> order;
    for (pugi::xml_node n : document.select_node("//w:rPr").node().children()) order.push_back(n.name());
    EXPECT_EQ(order, (std::vector<std::string>{"w:rFonts", "w:b", "w:bCs", "w:i", "w:iCs", "w:strike", "w:sz",
                                               "w:szCs", "w:u"}));

    EXPECT_EQ(wordtest::evaluate(parse(corePropertiesXml(1700000000)), "//dcterms:created"), "2023-11-14T22:13:20Z");
    EXPECT_EQ(wordtest::evaluate(parse(appPropertiesXml({2, 7, 30, 36, 5})),
                                 "concat(//Pages, ' ', //Words, ' ', //CharactersWithSpaces)"),
              "2 7 36");
    EXPECT_EQ(wordtest::evaluate(parse(fontTableXml({"Wingdings & Co"})), "//w:font/w:family/@w:val"), "auto");
    EXPECT_EQ(hyperlinkTarget("https://example.com/x?y=1"), "https://example.com/x?y=1");
    EXPECT_EQ(hyperlinkTarget("www.example.com/a b"), "http://www.example.com/a%20b");
    EXPECT_EQ(hyperlinkTarget("file:///tmp/a b\\c\xC3\xA4"), "file:///tmp/a%20b/c%C3%A4");
}
