// ApplyTemplate: a template's master, layouts and theme become the deck's
// design (slides on its blank layout, notes still working); legacy binary,
// unsafe and unreadable files are refused, nothing is written outside the
// package and the presentation keeps the design it had.
#include <pugixml.hpp>

#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "TemplateDeck.h"

namespace objtest {
namespace {

using namespace ppttest;

class TemplateTest : public PptTest {
protected:
    fs::path writeTemplate(const std::string& name, const std::string& background)
    {
        mediatest::TemplateRecipe recipe;
        recipe.layouts = {{"title", {"title", "body"}}, {"blank", {"dt", "ftr", "sldNum"}}};
        recipe.masterBackground = "<p:bg><p:bgPr><a:solidFill><a:srgbClr val=\"" + background +
                                "\"/></a:solidFill><a:effectLst/></p:bgPr></p:bg>";
        return writeTestFile(dir.path(), name, mediatest::asString(mediatest::makeTemplate(recipe)));
    }

    // Two slides with body text and notes, saved.
    fs::path buildAndSave(const std::string& name)
    {
        for (int n = 1; n <= 2; ++n) {
            auto slide = addSlide();
            textOf(addBody(slide))->InsertAfter(u"Body text " + u16(std::to_string(n)));
            slide->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(2)->GetTextFrame()->GetTextRange()->InsertAfter(
                u"Notes " + u16(std::to_string(n)));
        }
        return save(name);
    }

    static std::string relTarget(const std::string& rels, const std::string& typeSuffix)
    {
        pugi::xml_document doc;
        doc.load_string(rels.c_str());
        for (auto r : doc.child("Relationships").children("Relationship")) {
            const std::string type = r.attribute("Type").value();
            if (type.size() > typeSuffix.size() && type.substr(type.size() - typeSuffix.size()) == typeSuffix)
                return r.attribute("Target").value();
        }
        return {};
    }

    // The master the saved deck uses, and its slide 1's layout, resolved to part names.
    struct DesignInUse {
        std::string master, masterXml, layout, layoutXml, themeXml;
    };
    static DesignInUse designOf(std::map<std::string, std::string>& parts)
    {
        DesignInUse d;
        d.master = "ppt/" + relTarget(parts["ppt/_rels/presentation.xml.rels"], "/slideMaster");
        d.masterXml = parts[d.master];
        d.layout = "ppt/" + relTarget(parts["ppt/slides/_rels/slide1.xml.rels"], "/slideLayout").substr(3);
        d.layoutXml = parts[d.layout];
        d.themeXml = parts["ppt/" + relTarget(parts["ppt/_rels/presentation.xml.rels"], "/theme")];
        return d;
    }
};

TEST_F(TemplateTest, TheTemplatesMasterLayoutsAndThemeBecomeTheDesign)
{
    // A template under the legacy name: the content decides.
    const auto design = writeTemplate("Corporate.pot", "1E5AA0");
    presentation->ApplyTemplate(u16(design.string()));
    const auto path = buildAndSave("designed.pptx");
    expectSoundPackage(path);

    auto parts = deck::readParts(path);
    DesignInUse used = designOf(parts);
    EXPECT_NE(used.masterXml.find("1E5AA0"), std::string::npos) << used.master;
    EXPECT_NE(used.layoutXml.find("type=\"blank\""), std::string::npos) << used.layout;
    // The layout belongs to that master.
    const std::string layoutRels =
        parts[used.layout.substr(0, used.layout.rfind('/')) + "/_rels" + used.layout.substr(used.layout.rfind('/')) + ".rels"];
    EXPECT_EQ("ppt/" + relTarget(layoutRels, "/slideMaster").substr(3), used.master);
    EXPECT_FALSE(used.themeXml.empty());
    // The slide size stays the one the generator's geometry assumes.
    EXPECT_NE(parts["ppt/presentation.xml"].find("cx=\"9144000\" cy=\"6858000\""), std::string::npos);
    auto notes = deck::paragraphs(parts["ppt/notesSlides/notesSlide2.xml"]);
    EXPECT_NE(std::find(notes.begin(), notes.end(), "Notes 2"), notes.end());
}

TEST_F(TemplateTest, BadTemplatesAreRefusedAndTheDesignStaysAsItWas)
{
    const auto good = writeTemplate("good.potx", "2E8B57");
    presentation->ApplyTemplate(u16(good.string()));

    std::string ole2("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    ole2.resize(4096, '\0');
    const fs::path inner = dir / "inner";
    fs::create_directories(inner);
    const auto legacy = writeTestFile(inner, "Legacy.pot", ole2);
    const auto escape = writeTestFile(
        inner, "escape.potx",
        mediatest::asString(mediatest::zipArchive({{"[Content_Types].xml", "<Types/>"}, {"../escaped.xml", "<x/>"}})));
    mediatest::TemplateRecipe entitySpec;
    entitySpec.layouts = {{"blank", {}}};
    entitySpec.masterPrefix = "<!DOCTYPE m [<!ENTITY x \"xxxxxxxxxx\">]>";
    const auto entities = writeTestFile(inner, "entities.potx", mediatest::asString(mediatest::makeTemplate(entitySpec)));
    const auto text = writeTestFile(inner, "text.potx", "not a template\n");
    const auto document = writeTestFile(inner, "letter.potx", mediatest::asString(mediatest::docxDocument("<w:p/>")));
    const auto empty = writeTestFile(inner, "empty.potx", "");

    struct Case {
        fs::path file;
        HRESULT expected;
        const char* says;
    };
    const Case cases[] = {
        {legacy, E_FAIL, "not supported"},     {escape, E_FAIL, "escape.potx"},
        {entities, E_FAIL, "entities.potx"},   {text, E_FAIL, "text.potx"},
        {document, E_FAIL, "letter.potx"},     {empty, E_FAIL, "empty.potx"},
        {inner / "missing.potx", HRESULT(0x80070002), "missing.potx"},
    };
    for (const Case& c : cases) {
        std::string description;
        EXPECT_EQ(errorOf([&] { presentation->ApplyTemplate(u16(c.file.string())); }, &description), c.expected)
            << c.file;
        EXPECT_NE(description.find("Presentation.ApplyTemplate"), std::string::npos) << description;
        EXPECT_NE(description.find(c.says), std::string::npos) << description;
        EXPECT_NE(description.find(c.file.filename().string()), std::string::npos) << description;
    }
    EXPECT_EQ(errorOf([&] { presentation->ApplyTemplate(u""); }), E_INVALIDARG);
    // Nothing escaped the package's folder.
    EXPECT_FALSE(fs::exists(dir / "escaped.xml"));
    EXPECT_FALSE(fs::exists(inner / "escaped.xml"));

    const auto path = buildAndSave("kept.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    EXPECT_NE(designOf(parts).masterXml.find("2E8B57"), std::string::npos);
}

TEST_F(TemplateTest, ALaterTemplateReplacesTheFirstAndPicturesKeepTheirOwnMedia)
{
    presentation->ApplyTemplate(u16(writeTemplate("first.potx", "111111").string()));
    presentation->ApplyTemplate(u16(writeTemplate("second.potx", "CC2200").string()));
    auto slide = addSlide();
    // The template's master carries a picture of its own: both are stored.
    slide->GetShapes()->AddPicture(u16(writePng(dir.path(), "own.png", 10, 10).string()), msoFalse, msoTrue, 10, 10,
                                   50, 50);
    const auto path = save("replaced.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    DesignInUse used = designOf(parts);
    EXPECT_NE(used.masterXml.find("CC2200"), std::string::npos);
    EXPECT_EQ(used.masterXml.find("111111"), std::string::npos);
    int masters = 0, media = 0;
    for (const auto& [name, bytes] : parts) {
        masters += name.rfind("ppt/slideMasters/slideMaster", 0) == 0;
        media += name.rfind("ppt/media/", 0) == 0;
    }
    EXPECT_EQ(masters, 1);
    EXPECT_EQ(media, 2);
}

// The master's footer text and its <p:hf> flags become the deck's master
// settings: a slide that only turns its footer on shows the template's text.
TEST_F(TemplateTest, TheMastersFooterSettingsComeWithTheDesign)
{
    for (const std::string hf : {"", "<p:hf hdr=\"0\" dt=\"0\"/>"}) {
        mediatest::TemplateRecipe recipe;
        recipe.layouts = {{"blank", {"dt", "ftr", "sldNum"}}};
        recipe.masterFooter = "Acme Confidential";
        recipe.masterHf = hf;
        const auto design = writeTestFile(dir.path(), "footer.potx", mediatest::asString(mediatest::makeTemplate(recipe)));
        presentation = app->GetPresentations()->Add(msoTrue);
        presentation->ApplyTemplate(u16(design.string()));

        auto master = presentation->GetSlideMaster()->GetHeadersFooters();
        const MsoTriState shown = hf.empty() ? msoFalse : msoTrue;
        EXPECT_EQ(master->GetFooter()->GetVisible(), shown) << hf;
        EXPECT_EQ(master->GetSlideNumber()->GetVisible(), shown) << hf;
        EXPECT_EQ(master->GetDateAndTime()->GetVisible(), msoFalse) << hf;
        EXPECT_EQ(master->GetFooter()->GetText(), u"Acme Confidential") << hf;

        auto slide = addSlide();
        slide->GetHeadersFooters()->GetFooter()->PutVisible(msoTrue);
        slide->GetHeadersFooters()->GetSlideNumber()->PutVisible(msoTrue);
        const auto path = save("footer.pptx");
        expectSoundPackage(path);
        auto text = deck::paragraphs(deck::readParts(path)["ppt/slides/slide1.xml"]);
        EXPECT_NE(std::find(text.begin(), text.end(), "Acme Confidential"), text.end()) << hf;
        presentation->Close();
    }
}

}  // namespace
}  // namespace objtest
