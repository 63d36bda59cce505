// ApplyTemplate: a template's master, layouts and theme become the deck's
// design (slides on its blank layout, notes still working); damaged,
// unsafe and unreadable files are refused, nothing is written outside the
// package and the presentation keeps the design it had.
#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "TemplateDeck.h"
#include "template/PptxReader.h"
#include "template/TemplateImport.h"

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

    // The design the saved deck uses, as a template import reads it back.
    static pptmedia::ImportedTemplate designOf(const fs::path& deck)
    {
        return pptmedia::importTemplate(deck, deck.filename().string());
    }
};

// A later template replaces the first; a template under the legacy name: the
// content decides.
TEST_F(TemplateTest, TheTemplatesMasterLayoutsAndThemeBecomeTheDesignAndStayWhenOpenedAgain)
{
    presentation->ApplyTemplate(u16(writeTemplate("first.potx", "111111").string()));
    presentation->ApplyTemplate(u16(writeTemplate("Corporate.pot", "1E5AA0").string()));
    // The template's master carries a picture of its own: both are stored.
    addSlide()->GetShapes()->AddPicture(u16(writePng(dir.path(), "own.png", 10, 10).string()), msoFalse, msoTrue, 10,
                                        10, 50, 50);
    const auto path = buildAndSave("designed.pptx");
    expectSoundPackage(path);

    auto parts = deck::readParts(path);
    int masters = 0, media = 0;
    for (const auto& [name, bytes] : parts) {
        masters += name.rfind("ppt/slideMasters/slideMaster", 0) == 0;
        media += name.rfind("ppt/media/", 0) == 0;
    }
    EXPECT_EQ(masters, 1);
    EXPECT_EQ(media, 2);
    const auto saved = pptmedia::readPresentation(path, "designed.pptx");
    EXPECT_EQ(designOf(path).masterBackgroundColour, "1E5AA0");
    EXPECT_EQ(designOf(path).themeColours.at("accent1"), "C0FFEE");
    // Slides sit on the template's blank layout, which belongs to that master.
    const std::string layout = saved.slides.at(0).layoutPart;
    EXPECT_NE(parts[layout.substr(1)].find("type=\"blank\""), std::string::npos) << layout;
    const std::string layoutRels = "ppt/slideLayouts/_rels" + layout.substr(layout.rfind('/')) + ".rels";
    EXPECT_NE(parts[layoutRels].find("Target=\"../slideMasters" + saved.masterPart.substr(saved.masterPart.rfind('/')) + "\""),
              std::string::npos);
    // The slide size stays the one the generator's geometry assumes.
    EXPECT_NE(parts["ppt/presentation.xml"].find("cx=\"9144000\" cy=\"6858000\""), std::string::npos);
    EXPECT_EQ(saved.slides.at(2).notesText(), "Notes 2");

    presentation->Close();
    auto reopened = app->GetPresentations()->Open(u16(path.string()), msoFalse, msoFalse, msoTrue);
    reopened->SaveAs(u16((dir / "copy.pptx").string()), ppSaveAsPresentation, msoTrue);
    expectSoundPackage(dir / "copy.pptx");
    EXPECT_EQ(designOf(dir / "copy.pptx").masterBackgroundColour, "1E5AA0");
}

TEST_F(TemplateTest, BadTemplatesAreRefusedAndTheDesignStaysAsItWas)
{
    const auto good = writeTemplate("good.potx", "2E8B57");
    presentation->ApplyTemplate(u16(good.string()));

    // Each kind of refusal of the import (tests/presentation_media) comes as
    // one COM error naming the call and the file.
    std::string ole2("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    ole2.resize(4096, '\0');
    const fs::path inner = dir / "inner";
    fs::create_directories(inner);
    struct Case {
        fs::path file;
        HRESULT expected;
        const char* says;
    };
    const Case cases[] = {
        {writeTestFile(inner, "Legacy.pot", ole2), E_FAIL, "damaged compound file"},
        {writeTestFile(inner, "escape.potx", mediatest::asString(mediatest::zipArchive(
                                                 {{"[Content_Types].xml", "<Types/>"}, {"../escaped.xml", "<x/>"}}))),
         E_FAIL, "escape.potx"},
        {writeTestFile(inner, "text.potx", "not a template\n"), E_FAIL, "text.potx"},
        {writeTestFile(inner, "empty.potx", ""), E_FAIL, "empty.potx"},
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
    EXPECT_EQ(designOf(path).masterBackgroundColour, "2E8B57");
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
