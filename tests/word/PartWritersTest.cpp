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
#include "SettingsPart.h"
#include "StylesPart.h"
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

struct WrittenDocument {
    DocumentBuilder builder;
    office::Relationships rels;
    pugi::xml_document xml;
    pugi::xml_node body;

    void write()
    {
        DocumentLayout layout = layOutDocument(builder.content());
        rels.add("http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles", "styles.xml");
        xml = parse(documentXml(builder.content(), layout, rels));
        body = xml.child("w:document").child("w:body");
    }
    const office::Relationships::Relationship* rel(const std::string& id) const
    {
        for (std::size_t i = 0; i < rels.items().size(); ++i)
            if (id == "rId" + std::to_string(i + 1)) return &rels.items()[i];
        return nullptr;
    }
};

}  // namespace

// The content types and relationship kinds of a package with a picture and
// a link, held against those LibreOffice writes.
TEST(PackageParts, SameTypesAndRelationshipKindsAsLibreOfficeWrites)
{
    auto sample = wordtest::readPackage(std::filesystem::path(ORVEL_SHARED_DIR) / "ooxml/samples/lo-doc.docx");
    ASSERT_FALSE(sample.empty());
    DocumentBuilder builder;
    builder.insertText("link", "https://example.com/");
    builder.insertPicture(*imageFromBytes(wordtest::makePng(4, 4)));
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

TEST(StylesPart, DefaultsWithoutExtraParagraphSpaceAndTheStylesUsed)
{
    auto styles = parse(stylesXml());
    pugi::xml_node defaults = styles.child("w:styles").child("w:docDefaults");
    EXPECT_STREQ(defaults.child("w:rPrDefault").child("w:rPr").child("w:rFonts").attribute("w:ascii").value(), "Arial");
    EXPECT_STREQ(defaults.child("w:rPrDefault").child("w:rPr").child("w:sz").attribute("w:val").value(), "24");
    pugi::xml_node spacing = defaults.child("w:pPrDefault").child("w:pPr").child("w:spacing");
    EXPECT_STREQ(spacing.attribute("w:after").value(), "0");
    EXPECT_STREQ(spacing.attribute("w:line").value(), "240");
    std::set<std::string> ids;
    for (pugi::xml_node s : styles.child("w:styles").children("w:style")) ids.insert(s.attribute("w:styleId").value());
    EXPECT_EQ(ids, (std::set<std::string>{"Normal", "DefaultParagraphFont", "TableNormal", "Hyperlink"}));
}

TEST(SettingsPart, CurrentCompatibilityMode)
{
    auto settings = parse(settingsXml());
    pugi::xml_node compat = settings.child("w:settings").child("w:compat").child("w:compatSetting");
    EXPECT_STREQ(compat.attribute("w:name").value(), "compatibilityMode");
    EXPECT_STREQ(compat.attribute("w:val").value(), "15");
}

TEST(FontTablePart, FamiliesForSubstitution)
{
    auto fonts = parse(fontTableXml({"Arial", "Courier New", "Wingdings & Co"}));
    pugi::xml_node table = fonts.child("w:fonts");
    EXPECT_STREQ(table.find_child_by_attribute("w:name", "Arial").child("w:family").attribute("w:val").value(), "swiss");
    EXPECT_STREQ(table.find_child_by_attribute("w:name", "Courier New").child("w:pitch").attribute("w:val").value(),
                 "fixed");
    EXPECT_STREQ(table.find_child_by_attribute("w:name", "Wingdings & Co").child("w:family").attribute("w:val").value(),
                 "auto");
}

TEST(PropertiesParts, CoreDatesAndAppStatistics)
{
    auto core = parse(corePropertiesXml(1700000000));
    pugi::xml_node props = core.child("cp:coreProperties");
    EXPECT_STREQ(props.child("dcterms:created").text().get(), "2023-11-14T22:13:20Z");
    EXPECT_STREQ(props.child("dcterms:created").attribute("xsi:type").value(), "dcterms:W3CDTF");
    EXPECT_STREQ(props.child("dc:creator").text().get(), "Orvel");

    auto app = parse(appPropertiesXml({2, 7, 30, 36, 5}));
    pugi::xml_node p = app.child("Properties");
    EXPECT_STREQ(p.child("Application").text().get(), "Orvel");
    EXPECT_STREQ(p.child("Pages").text().get(), "2");
    EXPECT_STREQ(p.child("Words").text().get(), "7");
    EXPECT_STREQ(p.child("CharactersWithSpaces").text().get(), "36");
}

TEST(DocumentPart, TableGridRowsCellsAndBorders)
{
    WrittenDocument d;
    d.builder.startTable();
    d.builder.setRowHeight(20);
    for (int r = 0; r < 2; ++r) {
        d.builder.addRow();
        for (int c = 0; c < 3; ++c) {
            d.builder.addCell();
            d.builder.insertText("c" + std::to_string(c));
        }
    }
    d.builder.addRow();  // no cells: left out
    d.builder.endTable();
    d.write();

    pugi::xml_node tbl = d.body.child("w:tbl");
    ASSERT_TRUE(tbl);
    std::vector<long> grid;
    for (pugi::xml_node col : tbl.child("w:tblGrid").children("w:gridCol")) grid.push_back(col.attribute("w:w").as_int());
    ASSERT_EQ(grid.size(), 3u);
    EXPECT_EQ(tbl.child("w:tblPr").child("w:tblW").attribute("w:w").as_int(), grid[0] + grid[1] + grid[2]);
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
        EXPECT_STREQ(tbl.child("w:tblPr").child("w:tblBorders").child(side).attribute("w:val").value(), "single") << side;
    int rows = 0;
    for (pugi::xml_node tr : tbl.children("w:tr")) {
        ++rows;
        pugi::xml_node height = tr.child("w:trPr").child("w:trHeight");
        EXPECT_EQ(height.attribute("w:val").as_int(), 400);  // 20 points in twips
        EXPECT_STREQ(height.attribute("w:hRule").value(), "atLeast");
        int c = 0;
        for (pugi::xml_node tc : tr.children("w:tc"))
            EXPECT_EQ(tc.child("w:tcPr").child("w:tcW").attribute("w:w").as_int(), grid[c++]);
        EXPECT_EQ(c, 3);
    }
    EXPECT_EQ(rows, 2);
    // The body does not end with the table.
    EXPECT_STREQ(tbl.next_sibling().name(), "w:p");
}

TEST(DocumentPart, RunFormatAndAlignment)
{
    WrittenDocument d;
    d.builder.setFontName("Times New Roman");
    d.builder.setFontSize(15);
    d.builder.setFontAttribute(1, true);
    d.builder.setFontAttribute(2, true);
    d.builder.setFontAttribute(4, true);
    d.builder.setFontAttribute(8, true);
    d.builder.setAlignment(2);
    d.builder.insertText("styled\tcell");
    d.write();
    pugi::xml_node p = d.body.child("w:p");
    EXPECT_STREQ(p.child("w:pPr").child("w:jc").attribute("w:val").value(), "center");
    pugi::xml_node rPr = p.child("w:r").child("w:rPr");
    EXPECT_STREQ(rPr.child("w:rFonts").attribute("w:ascii").value(), "Times New Roman");
    EXPECT_STREQ(rPr.child("w:sz").attribute("w:val").value(), "30");
    EXPECT_TRUE(rPr.child("w:b") && rPr.child("w:i") && rPr.child("w:strike"));
    EXPECT_STREQ(rPr.child("w:u").attribute("w:val").value(), "single");
    // Element order as the schema wants it: fonts, bold, italic, strike, size, underline.
    std::vector<std::string> order;
    for (pugi::xml_node n : rPr.children()) order.push_back(n.name());
    EXPECT_EQ(order, (std::vector<std::string>{"w:rFonts", "w:b", "w:bCs", "w:i", "w:iCs", "w:strike", "w:sz",
                                               "w:szCs", "w:u"}));
    pugi::xml_node r = p.child("w:r");
    EXPECT_STREQ(r.child("w:t").text().get(), "styled");
    EXPECT_TRUE(r.child("w:tab"));
    EXPECT_STREQ(r.child("w:t").attribute("xml:space").value(), "preserve");
}

TEST(DocumentPart, PicturesAndHyperlinksGetRelationships)
{
    WrittenDocument d;
    d.builder.insertText("see ");
    d.builder.insertText("the site", "www.example.com/a b");
    d.builder.insertPicture(*imageFromBytes(wordtest::makePng(20, 10)), "https://example.com/pic");
    d.builder.insertPicture(*imageFromBytes(wordtest::makePng(20, 10)));
    d.write();
    pugi::xml_node p = d.body.child("w:p");
    pugi::xml_node link = p.child("w:hyperlink");
    const auto* rel = d.rel(link.attribute("r:id").value());
    ASSERT_TRUE(rel);
    EXPECT_EQ(rel->target, "http://www.example.com/a%20b");
    EXPECT_TRUE(rel->external);
    EXPECT_STREQ(link.child("w:r").child("w:rPr").child("w:rStyle").attribute("w:val").value(), "Hyperlink");

    std::set<std::string> blips, docPrIds;
    for (pugi::xpath_node n : p.select_nodes(".//a:blip")) blips.insert(n.node().attribute("r:embed").value());
    for (pugi::xpath_node n : p.select_nodes(".//wp:docPr")) docPrIds.insert(n.node().attribute("id").value());
    ASSERT_EQ(blips.size(), 1u);  // the same picture twice: one part, one relationship
    EXPECT_EQ(d.rel(blips.begin()->c_str())->target, "media/image1.png");
    EXPECT_EQ(docPrIds.size(), 2u);
    pugi::xml_node click = p.select_node(".//wp:docPr/a:hlinkClick").node();
    ASSERT_TRUE(click);
    EXPECT_EQ(d.rel(click.attribute("r:id").value())->target, "https://example.com/pic");
    pugi::xml_node extent = p.select_node(".//wp:extent").node();
    EXPECT_EQ(extent.attribute("cx").as_llong(), 15 * 12700);  // 20 px at 96 dpi = 15 pt
}

TEST(DocumentPart, SectionSizesTheLandscapePageAndKeepsTablesApart)
{
    WrittenDocument d;
    d.builder.setOrientation(Orientation::Landscape);
    for (int t = 0; t < 2; ++t) {
        d.builder.startTable();
        d.builder.addRow();
        d.builder.addCell();
        d.builder.insertText(std::string(60, 'w'));
        d.builder.endTable();
    }
    d.write();
    std::vector<std::string> blocks;
    for (pugi::xml_node n : d.body.children()) blocks.push_back(n.name());
    EXPECT_EQ(blocks, (std::vector<std::string>{"w:tbl", "w:p", "w:tbl", "w:p", "w:sectPr"}));
    pugi::xml_node size = d.body.child("w:sectPr").child("w:pgSz");
    EXPECT_STREQ(size.attribute("w:orient").value(), "landscape");
    EXPECT_GT(size.attribute("w:w").as_int(), size.attribute("w:h").as_int());
    EXPECT_EQ(d.body.child("w:sectPr").child("w:pgMar").attribute("w:left").as_int(), 144);
}

TEST(DocumentPart, HyperlinkTargetsAreUris)
{
    EXPECT_EQ(hyperlinkTarget("https://example.com/x?y=1"), "https://example.com/x?y=1");
    EXPECT_EQ(hyperlinkTarget("www.example.com"), "http://www.example.com");
    EXPECT_EQ(hyperlinkTarget("file:///tmp/a b\\c\xC3\xA4"), "file:///tmp/a%20b/c%C3%A4");
}
