// A template's design comes over whole: master, layouts, theme and media,
// renamed, with every relationship leading to a part that comes with it.
#include <gtest/gtest.h>

#include "TemplateDeck.h"
#include "common/TestEnv.h"
#include "media/MediaError.h"
#include "office/package/OpcPackage.h"
#include "office/package/SafeXml.h"
#include "template/TemplateImport.h"
#include "office/package/XmlAccess.h"

using namespace pptmedia;
using namespace office;
using namespace mediatest;

namespace {

ImportedTemplate importBytes(const Bytes& bytes, const TemplateNaming& naming = {}, const std::string& name = "design.potx")
{
    testenv::TempDir dir;
    testenv::writeFile(dir / name, asString(bytes));
    return importTemplate(dir / name, name, naming);
}

// Every relationship of every imported part leads to an imported part, and
// every XML part parses.
void expectClosed(const ImportedTemplate& imported)
{
    for (const PackagePart& part : imported.parts) {
        if (part.contentType.find("xml") == std::string::npos) continue;
        pugi::xml_document doc;
        ASSERT_NO_THROW(parseXml(doc, asText(part.bytes), part.name)) << part.name;
        if (part.name.find("/_rels/") == std::string::npos) continue;
        std::string source = part.name;
        source.erase(source.find("_rels/"), 6);
        source.erase(source.size() - 5);
        for (pugi::xml_node rel : doc.document_element().children("Relationship")) {
            if (std::string(rel.attribute("TargetMode").as_string()) == "External") continue;
            std::string target = resolveTarget(source, rel.attribute("Target").as_string());
            EXPECT_NE(imported.find(target), nullptr) << part.name << " -> " << rel.attribute("Target").as_string();
        }
    }
}

}  // namespace

TEST(TemplateImport, TakesMasterLayoutsThemeAndMediaWithNewNames)
{
    TemplateRecipe recipe;
    recipe.layouts = {{"title", {"title", "subTitle"}}, {"", {"title", ""}}, {"blank", {"dt", "ftr", "sldNum"}}};
    ImportedTemplate imported = importBytes(makeTemplate(recipe));

    EXPECT_EQ(imported.masterPart, "/ppt/slideMasters/slideMaster1.xml");
    EXPECT_EQ(imported.themePart, "/ppt/theme/theme1.xml");
    EXPECT_EQ(imported.layoutParts, (std::vector<std::string>{"/ppt/slideLayouts/slideLayout1.xml",
                                                              "/ppt/slideLayouts/slideLayout2.xml",
                                                              "/ppt/slideLayouts/slideLayout3.xml"}));
    EXPECT_EQ(imported.blankLayoutPart, "/ppt/slideLayouts/slideLayout3.xml");
    // The logo used by the master and a layout is stored once.
    const PackagePart* logo = imported.find("/ppt/media/template-image1.png");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->contentType, "image/png");
    EXPECT_EQ(imported.find("/ppt/media/template-image2.png"), nullptr);
    EXPECT_EQ(imported.find("/ppt/presentation.xml"), nullptr);
    EXPECT_NE(imported.find("/ppt/slideMasters/_rels/slideMaster1.xml.rels"), nullptr);
    EXPECT_EQ(imported.find(imported.masterPart)->contentType,
              "application/vnd.openxmlformats-officedocument.presentationml.slideMaster+xml");
    expectClosed(imported);

    // Design facts the writer and the tests look at.
    EXPECT_EQ(imported.masterBackgroundColour, "1E5AA0");
    EXPECT_NE(imported.masterBackgroundXml.find("1E5AA0"), std::string::npos);
    EXPECT_EQ(imported.themeColours.at("accent1"), "C0FFEE");
    EXPECT_EQ(imported.themeColours.size(), 12u);
    EXPECT_NE(imported.defaultTextStyleXml.find("defaultTextStyle"), std::string::npos);
    EXPECT_DOUBLE_EQ(imported.slideWidthPt, 720);
}

TEST(TemplateImport, RenumbersTheLayoutListFromTheMasterId)
{
    TemplateRecipe recipe;
    recipe.layouts = {{"title", {"title"}}, {"obj", {"title", ""}}};
    TemplateNaming naming;
    naming.masterNumber = 2;
    naming.themeNumber = 3;
    naming.firstLayoutNumber = 13;
    naming.masterId = 2147483700u;
    naming.mediaStem = "/ppt/media/design";
    ImportedTemplate imported = importBytes(makeTemplate(recipe), naming);
    EXPECT_EQ(imported.masterPart, "/ppt/slideMasters/slideMaster2.xml");
    EXPECT_EQ(imported.themePart, "/ppt/theme/theme3.xml");
    EXPECT_EQ(imported.layoutParts.front(), "/ppt/slideLayouts/slideLayout13.xml");
    EXPECT_NE(imported.find("/ppt/media/design1.png"), nullptr);
    EXPECT_EQ(imported.masterId, 2147483700u);
    EXPECT_EQ(imported.nextFreeId, 2147483703u);
    expectClosed(imported);

    pugi::xml_document master;
    parseXml(master, asText(imported.find(imported.masterPart)->bytes), "master");
    std::vector<std::uint32_t> ids;
    for (pugi::xml_node id : xml::child(master.document_element(), "sldLayoutIdLst").children())
        ids.push_back(static_cast<std::uint32_t>(xml::number(id, "id")));
    EXPECT_EQ(ids, (std::vector<std::uint32_t>{2147483701u, 2147483702u}));
}

TEST(TemplateImport, ChoosesTheBlankLayout)
{
    struct Case {
        std::vector<LayoutSpec> layouts;
        std::string blank;
    } cases[] = {
        // type="blank" wins wherever it is.
        {{{"", {}}, {"title", {"title"}}, {"blank", {"title"}}}, "slideLayout3.xml"},
        // Else the first with only date, footer and number placeholders.
        {{{"title", {"title"}}, {"", {"ftr", "sldNum"}}, {"", {}}}, "slideLayout2.xml"},
        // Else the last.
        {{{"title", {"title"}}, {"obj", {"title", ""}}}, "slideLayout2.xml"},
    };
    for (const Case& c : cases) {
        TemplateRecipe recipe;
        recipe.layouts = c.layouts;
        recipe.masterPicture = false;
        ImportedTemplate imported = importBytes(makeTemplate(recipe));
        EXPECT_EQ(imported.blankLayoutPart, "/ppt/slideLayouts/" + c.blank);
    }
}

TEST(TemplateImport, ReadsWhatLibreOfficeWrites)
{
    ImportedTemplate imported = importTemplate(kSamples / "lo-deck.pptx", "lo-deck.pptx");
    EXPECT_EQ(imported.layoutParts.size(), 12u);
    EXPECT_EQ(imported.blankLayoutPart, "/ppt/slideLayouts/slideLayout1.xml");
    EXPECT_EQ(imported.themeColours.at("dk1"), "000000");  // a system colour's last value
    // Slides, notes and the notes master stay behind.
    for (const PackagePart& part : imported.parts) {
        EXPECT_EQ(part.name.find("/ppt/slides/"), std::string::npos) << part.name;
        EXPECT_EQ(part.name.find("notes"), std::string::npos) << part.name;
    }
    expectClosed(imported);
}

// What any package opened as a presentation is refused for (legacy, unsafe,
// a Word document): PackageKindTest, PptxReaderTest and, through
// ApplyTemplate, tests/presentation_objects/TemplateTest. Here what only a
// design can lack or hold.
TEST(TemplateImport, RefusesUnsafeAndIncompleteDesigns)
{
    TemplateRecipe doctype;
    doctype.layouts = {{"blank", {}}};
    doctype.masterPrefix = "<!DOCTYPE m [<!ENTITY x \"xxxxxxxxxx\">]>";
    TemplateRecipe masterless;
    masterless.withMaster = false;
    const std::tuple<Bytes, MediaErrorKind, const char*> cases[] = {
        {makeTemplate(doctype), MediaErrorKind::UnsafePackage, "slideMaster1.xml"},
        {makeTemplate(masterless), MediaErrorKind::NotAPackage, "no slide master"},
    };
    for (const auto& [bytes, kind, says] : cases) {
        Refusal r = refusal([&] { importBytes(bytes); });
        EXPECT_EQ(r.kind, kind) << r.message;
        EXPECT_NE(r.message.find(says), std::string::npos) << r.message;
    }
}
