// A template's design comes over whole: master, layouts, theme and media,
// renamed, with every relationship leading to a part that comes with it.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "TemplateDeck.h"
#include "common/TestEnv.h"
#include "media/MediaError.h"
#include "office/package/OpcPackage.h"
#include "office/package/SafeXml.h"
#include "template/TemplateImport.h"

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

// What the import made: its parts and their types, names, ids, the master's
// layout list and the design facts, against
// tests/presentation_media/expected/<name>.txt.
void expectRecordedImport(const ImportedTemplate& imported, const std::string& name)
{
    std::ostringstream out;
    out << "master " << imported.masterPart << " id " << imported.masterId << ", next free id " << imported.nextFreeId
        << "\ntheme " << imported.themePart << "\nblank " << imported.blankLayoutPart << "\nlayouts";
    for (const std::string& layout : imported.layoutParts) out << " " << layout;
    const std::string master(asText(imported.find(imported.masterPart)->bytes));
    const std::regex layoutId("<p:sldLayoutId id=\"(\\d+)\"");
    for (auto it = std::sregex_iterator(master.begin(), master.end(), layoutId); it != std::sregex_iterator(); ++it)
        out << " #" << (*it)[1];
    out << "\nslide width " << imported.slideWidthPt << ", default text style "
        << (imported.defaultTextStyleXml.find("defaultTextStyle") != std::string::npos) << "\nbackground "
        << imported.masterBackgroundColour << " in its XML "
        << (imported.masterBackgroundXml.find(imported.masterBackgroundColour) != std::string::npos) << "\ncolours";
    for (const auto& [colour, value] : imported.themeColours) out << " " << colour << "=" << value;
    out << "\n";
    for (const PackagePart& part : imported.parts) out << part.name << " " << part.contentType << "\n";
    testenv::expectRecorded(out.str(), std::filesystem::path(ORVEL_SOURCE_DIR) / "tests/presentation_media/expected" / (name + ".txt"));
}

}  // namespace

// The logo the master and a layout use is stored once; the presentation
// part, slides and notes stay behind; the naming gives the parts' numbers,
// the master's id and its layouts' ids from there.
TEST(TemplateImport, TakesMasterLayoutsThemeAndMediaWithNewNames)
{
    TemplateRecipe recipe;
    recipe.layouts = {{"title", {"title", "subTitle"}}, {"", {"title", ""}}, {"blank", {"dt", "ftr", "sldNum"}}};
    ImportedTemplate imported = importBytes(makeTemplate(recipe));
    expectClosed(imported);
    expectRecordedImport(imported, "import-made");

    recipe.layouts = {{"title", {"title"}}, {"obj", {"title", ""}}};
    TemplateNaming naming;
    naming.masterNumber = 2;
    naming.themeNumber = 3;
    naming.firstLayoutNumber = 13;
    naming.masterId = 2147483700u;
    naming.mediaStem = "/ppt/media/design";
    imported = importBytes(makeTemplate(recipe), naming);
    expectClosed(imported);
    expectRecordedImport(imported, "import-renamed");

    imported = importTemplate(kSamples / "lo-deck.pptx", "lo-deck.pptx");
    expectClosed(imported);
    expectRecordedImport(imported, "import-lo-deck");
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
