// Each part writer on its own, held against what Word and LibreOffice put
// in the same part.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <set>

#include "DocxReader.h"
#include "DocxWriter.h"
#include "DocumentBuilder.h"
#include "DocumentLayout.h"
#include "DocumentPart.h"
#include "FontTablePart.h"
#include "PropertiesParts.h"
#include "TestImages.h"
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

std::string contentTypeOf(const pugi::xml_document& types, const char* kind, const char* attribute,
                          const char* value)
{
    for (pugi::xml_node n : types.child("Types").children(kind))
        if (std::string(n.attribute(attribute).value()) == value) return n.attribute("ContentType").value();
    return {};
}

}  // namespace

// The content types and relationship kinds of a package with a picture and
// a link, held against those LibreOffice writes.
TEST(PackageParts, SameTypesAndRelationshipKindsAsLibreOfficeWrites)
{
    auto sample = wordtest::readPackage(std::filesystem::path(ORVEL_SHARED_DIR) / "ooxml/samples/lo-doc.docx");
    ASSERT_FALSE(sample.empty());
    DocumentBuilder builder;
    builder.insertText("link", "https://example.com/");
    builder.insertPicture(*imageFromBytes(wordtest::picture("gradient-4x4.png")));
    std::map<std::string, std::string> ours;
    for (const PackagePart& part : docxParts(builder.content(), 0)) ours[part.name] = part.data;

    auto theirTypes = parse(sample["[Content_Types].xml"]);
    auto types = parse(ours["[Content_Types].xml"]);
    for (const char* part : {"/word/document.xml", "/word/styles.xml", "/word/settings.xml", "/word/fontTable.xml",
                             "/docProps/core.xml", "/docProps/app.xml"})
        EXPECT_EQ(contentTypeOf(types, "Override", "PartName", part), contentTypeOf(theirTypes, "Override", "PartName", part))
            << part;
    for (const char* extension : {"png", "rels", "xml"})
        EXPECT_EQ(contentTypeOf(types, "Default", "Extension", extension),
                  contentTypeOf(theirTypes, "Default", "Extension", extension)) << extension;
    EXPECT_EQ(contentTypeOf(types, "Default", "Extension", "gif"), "");

    auto kinds = [](std::map<std::string, std::string>& package) {
        std::set<std::string> found;
        for (const char* rels : {"_rels/.rels", "word/_rels/document.xml.rels"}) {
            const auto xml = parse(package[rels]);  // outlives the loop over its nodes
            for (pugi::xml_node r : xml.child("Relationships").children()) found.insert(r.attribute("Type").value());
        }
        return found;
    };
    std::set<std::string> theirKinds = kinds(sample);
    for (const std::string& kind : kinds(ours)) EXPECT_EQ(theirKinds.count(kind), 1u) << kind;
    EXPECT_EQ(kinds(ours).size(), 8u);
}

// What the sample package (WordDocumentTest) cannot show: every run property
// at once in the schema's order, dates, statistics, unknown font families, links.
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
