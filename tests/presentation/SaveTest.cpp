// Saving: a sound package (validator and invariants), refusals as COM
// errors, every character a client can send, links resolved when written, and the
// failures a bad path gives.
#include <sys/stat.h>

#include <pugixml.hpp>

#include "DeckCheck.h"
#include "PptTestSupport.h"
#include "common/PackageCheck.h"

namespace ppttest {
namespace {

namespace fs = std::filesystem;

class SaveTest : public PptTest {
protected:
    // Validator and invariants on a saved deck.
    static void expectSound(const fs::path& path)
    {
        auto result = testenv::validatePackage(path);
        EXPECT_EQ(result.status, 0) << result.output;
        auto problems = deck::invariantProblems(path);
        for (const auto& p : problems) ADD_FAILURE() << p;
    }
    static std::size_t countFiles(const fs::path& folder)
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
};

TEST_F(SaveTest, EmptyPresentationIsASoundPackage)
{
    auto path = save("empty.pptx");
    expectSound(path);
    auto parts = deck::readParts(path);
    EXPECT_TRUE(parts.count("ppt/presentation.xml"));
    EXPECT_NE(parts["ppt/presentation.xml"].find("cx=\"9144000\" cy=\"6858000\""), std::string::npos);
}

TEST_F(SaveTest, SlidesWithTextLinksNotesAndFootersAreSound)
{
    for (int n = 0; n < 3; ++n) {
        auto slide = addSlide();
        auto header = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 10, 101, 36);
        textOf(header)->InsertAfter(u"Page " + u16(std::to_string(n + 1)));
        auto range = textOf(addBody(slide));
        range->InsertAfter(u"Bullet one\rBullet & <two> \"quoted\"\r");
        range->GetParagraphFormat()->GetBullet()->PutVisible(msoTrue);
        auto link = range->InsertAfter(u"a link");
        link->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"https://example.com/a b");
        range->InsertAfter(u"\r");
        auto jump = range->InsertAfter(u"to slide 1");
        jump->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutSubAddress(u"256,1,Slide 1");
        auto notes = slide->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(2)->GetTextFrame()->GetTextRange();
        notes->InsertAfter(u"Notes of slide " + u16(std::to_string(n + 1)));
        auto hf = slide->GetHeadersFooters();
        hf->GetFooter()->PutVisible(msoTrue);
        hf->GetFooter()->PutText(u"Footer text");
        hf->GetSlideNumber()->PutVisible(msoTrue);
        auto date = hf->GetDateAndTime();
        date->PutFormat(ppDateTimeMdyy);
        date->PutText(u"1/2/2026");
        date->PutUseFormat(msoFalse);
        date->PutVisible(msoTrue);
    }
    auto master = presentation->GetSlideMaster()->GetHeadersFooters();
    master->GetSlideNumber()->PutVisible(msoFalse);
    auto path = save("deck.pptx");
    expectSound(path);

    auto parts = deck::readParts(path);
    auto slide2 = deck::paragraphs(parts["ppt/slides/slide2.xml"]);
    EXPECT_NE(std::find(slide2.begin(), slide2.end(), "Bullet & <two> \"quoted\""), slide2.end());
    EXPECT_NE(std::find(slide2.begin(), slide2.end(), "Footer text"), slide2.end());
    EXPECT_NE(std::find(slide2.begin(), slide2.end(), "1/2/2026"), slide2.end());
    EXPECT_NE(std::find(slide2.begin(), slide2.end(), "2"), slide2.end());  // its slide number
    auto notes = deck::paragraphs(parts["ppt/notesSlides/notesSlide3.xml"]);
    EXPECT_NE(std::find(notes.begin(), notes.end(), "Notes of slide 3"), notes.end());
    const std::string& rels = parts["ppt/slides/_rels/slide3.xml.rels"];
    EXPECT_NE(rels.find("Target=\"https://example.com/a%20b\" TargetMode=\"External\""), std::string::npos);
    EXPECT_NE(rels.find("Target=\"slide1.xml\""), std::string::npos);
    EXPECT_NE(parts["ppt/slides/slide3.xml"].find("ppaction://hlinksldjump"), std::string::npos);
}

TEST_F(SaveTest, SlideJumpsResolveWhenWrittenAndUnknownTargetsAreDropped)
{
    auto first = addSlide();
    auto range = textOf(addBody(first));
    // The target slide is added after the link; 999 never exists.
    range->InsertAfter(u"forward")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutSubAddress(u"257,2,Two");
    range->InsertAfter(u" nowhere")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutSubAddress(u"999,77,X");
    auto second = addSlide();
    EXPECT_EQ(second->GetSlideID(), 257);
    EXPECT_EQ(second->GetSlideIndex(), 2);
    auto path = save("jumps.pptx");
    expectSound(path);
    auto parts = deck::readParts(path);
    const std::string& slide = parts["ppt/slides/slide1.xml"];
    EXPECT_EQ(deck::paragraphs(slide).at(0), "forward nowhere");
    pugi::xml_document doc;
    doc.load_string(slide.c_str());
    EXPECT_EQ(doc.select_nodes("//a:hlinkClick").size(), 1u);
    EXPECT_NE(parts["ppt/slides/_rels/slide1.xml.rels"].find("Target=\"slide2.xml\""), std::string::npos);
}

TEST_F(SaveTest, AddressesBecomeExternalTargets)
{
    auto slide = addSlide();
    auto shape = addBody(slide);
    auto range = textOf(shape);
    auto link = [&](const std::u16string& text, const std::u16string& address) {
        range->InsertAfter(text)->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(address);
        range->InsertAfter(u" ");
    };
    link(u"mail", u"mailto:someone@example.com");
    link(u"web", u"www.example.com/caf\u00e9");
    link(u"drive", u"C:\\Docs\\Plan 2.doc");
    link(u"unix", u"/srv/files/x y.txt");
    link(u"relative", u"docs\\readme.txt");
    shape->GetActionSettings()->Item(ppMouseOver)->GetHyperlink()->PutAddress(u"https://example.com/shape");
    EXPECT_EQ(shape->GetActionSettings()->Item(ppMouseOver)->GetHyperlink()->GetAddress(), u"https://example.com/shape");
    EXPECT_EQ(shape->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->GetAddress(), u"");
    auto path = save("links.pptx");
    expectSound(path);
    auto parts = deck::readParts(path);
    const std::string& rels = parts["ppt/slides/_rels/slide1.xml.rels"];
    for (const char* target : {"mailto:someone@example.com", "http://www.example.com/caf%C3%A9",
                               "file:///C:/Docs/Plan%202.doc", "file:///srv/files/x%20y.txt", "docs/readme.txt",
                               "https://example.com/shape"})
        EXPECT_NE(rels.find(std::string("Target=\"") + target + "\""), std::string::npos) << target << "\n" << rels;
    EXPECT_NE(parts["ppt/slides/slide1.xml"].find("<a:hlinkHover r:id="), std::string::npos);
}

TEST_F(SaveTest, EveryCharacterGivesAWellFormedPart)
{
    auto range = textOf(addBody(addSlide()));
    std::u16string all;
    for (char16_t c = 0; c < 0x80; ++c) all.push_back(c);
    all += u"\xD800 lone high, lone low \xDC00, pair \U0001F600, \xFFFE\xFFFF, _xD800_ literal";
    range->InsertAfter(all);
    range->InsertAfter(u"line\vbreak\ttab");
    auto path = save("chars.pptx");
    expectSound(path);
    auto parts = deck::readParts(path);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(parts["ppt/slides/slide1.xml"].c_str()));
    EXPECT_GE(doc.select_nodes("//a:br").size(), 1u);
    EXPECT_NE(parts["ppt/slides/slide1.xml"].find("\xF0\x9F\x98\x80"), std::string::npos);  // the pair survives
}

// Replacing whole, keeping the old file on failure: tests/office and
// tests/hostile/WriteFaultSweepTest. Here: the COM error a refusal gives.
TEST_F(SaveTest, ReadOnlyFileIsRefusedAsAccessDeniedNamingIt)
{
    auto path = save("deck.pptx");
    ::chmod(path.c_str(), 0444);
    std::string why;
    EXPECT_EQ(errorOf([&] { save("deck.pptx"); }, &why), E_ACCESSDENIED);
    EXPECT_NE(why.find("deck.pptx\": the file is read-only"), std::string::npos) << why;
    ::chmod(path.c_str(), 0644);
}

TEST_F(SaveTest, BadPathsAreComErrorsNamingThePath)
{
    addSlide();
    std::string why;
    EXPECT_EQ(errorOf([&] { save("missing/deck.pptx"); }, &why), HR_PATH_NOT_FOUND);
    EXPECT_NE(why.find("missing"), std::string::npos) << why;
    // A path whose parent is a regular file cannot be written, even by root.
    testenv::writeFile(dir / "plain", "x");
    EXPECT_EQ(errorOf([&] { save("plain/deck.pptx"); }), HR_PATH_NOT_FOUND);
    fs::create_directory(dir / "folder");
    EXPECT_EQ(errorOf([&] { save("folder"); }), E_ACCESSDENIED);
    EXPECT_EQ(errorOf([&] { presentation->SaveAs(u"", ppSaveAsPresentation, msoTrue); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { presentation->SaveAs(u16((dir / "x.pptx").string()), static_cast<PpSaveAsFileType>(32), msoTrue); }),
              E_INVALIDARG);
    EXPECT_EQ(countFiles(dir.path()), 2u);  // "plain" and "folder": nothing else written
}

TEST_F(SaveTest, WindowsStyleNamesWriteThePackage)
{
    addSlide();
    fs::create_directory(dir / "Decks");
    // Backslashes, and a folder spelt in another letter case.
    std::string name = dir.path().string() + "\\decks\\Report.pptx";
    presentation->SaveAs(u16(name), ppSaveAsPresentation, msoTrue);
    EXPECT_TRUE(fs::exists(dir / "Decks" / "Report.pptx"));
    EXPECT_EQ(presentation->GetFullName(), u16(name));
    expectSound(dir / "Decks" / "Report.pptx");
}

}  // namespace
}  // namespace ppttest
