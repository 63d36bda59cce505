// Saving: a sound package, every character a client can send, links
// resolved when written, and the COM errors a refusal or a bad path gives.
// Whole decks part by part: tests/golden.
#include <sys/stat.h>

#include "DeckCheck.h"
#include "PptTestSupport.h"
#include "package/FinishedSlides.h"

namespace ppttest {
namespace {

namespace fs = std::filesystem;
using SaveTest = PptTest;

TEST_F(SaveTest, LinksBecomeTheirTargetsWhenWritten)
{
    auto first = addSlide();
    auto shape = addBody(first);
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
    EXPECT_EQ(shape->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->GetAddress(), u"");
    // A jump to a slide added after the link resolves; one to a slide that never exists is dropped.
    range->InsertAfter(u"forward")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutSubAddress(u"257,2,Two");
    range->InsertAfter(u" nowhere")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutSubAddress(u"999,77,X");
    auto second = addSlide();
    EXPECT_EQ(second->GetSlideID(), 257);

    auto path = save("links.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    const std::string& rels = parts["ppt/slides/_rels/slide1.xml.rels"];
    for (const char* target : {"mailto:someone@example.com", "http://www.example.com/caf%C3%A9",
                               "file:///C:/Docs/Plan%202.doc", "file:///srv/files/x%20y.txt", "docs/readme.txt",
                               "https://example.com/shape", "slide2.xml"})
        EXPECT_NE(rels.find(std::string("Target=\"") + target + "\""), std::string::npos) << target << "\n" << rels;
    const std::string& slide = parts["ppt/slides/slide1.xml"];
    EXPECT_NE(slide.find("<a:hlinkHover r:id="), std::string::npos);
    EXPECT_TRUE(deck::paragraphs(slide).at(0).ends_with("forward nowhere"));  // the dropped jump's text stays
    std::size_t clicks = 0;
    for (std::size_t at = 0; (at = slide.find("<a:hlinkClick ", at)) != std::string::npos; ++at) ++clicks;
    EXPECT_EQ(clicks, 6u);  // five addresses and the forward jump
}

TEST_F(SaveTest, EveryCharacterGivesAWellFormedPart)
{
    // Every Latin-1 character in a frame that keeps one byte each, and again
    // in one that a character beyond Latin-1 widened to UTF-16.
    std::u16string latin1;
    for (char16_t c = 0; c < 0x100; ++c) latin1.push_back(c);
    latin1 += u"_xD800_ literal, line\vbreak\ttab";
    auto slide1 = addSlide();
    textOf(addBody(slide1))->InsertAfter(latin1);
    textOf(addBody(slide1))->InsertAfter(latin1 + u"\xD800 lone high, lone low \xDC00, pair \U0001F600, \xFFFE\xFFFF");
    auto path = save("chars.pptx");
    expectSoundPackage(path);
    const std::string slide = deck::readParts(path)["ppt/slides/slide1.xml"];
    EXPECT_NE(slide.find("\xF0\x9F\x98\x80"), std::string::npos);  // the pair survives
    const std::vector<std::string> text = deck::paragraphs(slide);  // "\r" splits each frame in two
    ASSERT_EQ(text.size(), 4u);
    EXPECT_NE(text[1].find("!\"#$%&'()*+,-./0123456789:;<=>?@"), std::string::npos);
    EXPECT_NE(text[1].find("\xC3\xBF_x005F_xD800_ literal, line\vbreak\ttab"), std::string::npos) << text[1];
    EXPECT_EQ(text[2], text[0]);
    EXPECT_TRUE(text[3].starts_with(text[1])) << text[3];
}

// The slides a growing deck has left behind are made on another thread;
// whatever reaches one of them later must still be in the file, through any
// object kept from before, and wherever the slide has moved.
TEST_F(SaveTest, SlidesMadeEarlyAreWrittenAsTheyStandAtTheSave)
{
    // Objects onto each slide, taken while it is the newest.
    struct Kept {
        ComPtr<_Slide> slide;
        ComPtr<TextRange> text;
        ComPtr<TextFrame> frame;
        ComPtr<Font> font;
        ComPtr<Hyperlink> link;
        ComPtr<HeaderFooter> footer;
    };
    std::vector<Kept> kept;
    for (int i = 0; i < 9; ++i) {
        auto slide = addSlide();
        auto body = addBody(slide);
        auto text = textOf(body);
        text->InsertAfter(u16("slide " + std::to_string(i + 1)));
        kept.push_back({slide, text, body->GetTextFrame(), text->GetFont(),
                        body->GetActionSettings()->Item(ppMouseClick)->GetHyperlink(),
                        slide->GetHeadersFooters()->GetFooter()});
    }
    auto* early = dynamic_cast<ppt::FinishedSlides*>(ppt::presentationModel(presentation)->background.get());
    ASSERT_NE(early, nullptr);
    early->drain();
    EXPECT_EQ(early->made(), 7u);  // all but the last two

    kept[1].text->InsertAfter(u" changed");
    kept[2].slide->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(2)->GetTextFrame()->GetTextRange()->InsertAfter(u"note");
    kept[3].font->PutBold(msoTrue);
    kept[4].link->PutAddress(u"https://example.com/");
    kept[5].footer->PutText(u"foot");
    kept[5].footer->PutVisible(msoTrue);
    kept[6].frame->PutAutoSize(ppAutoSizeShapeToFitText);
    const auto check = [&](const std::filesystem::path& path, int first) {
        SCOPED_TRACE(path.string());
        expectSoundPackage(path);
        auto parts = deck::readParts(path);
        const auto slide = [&](int n) { return parts["ppt/slides/slide" + std::to_string(first + n - 1) + ".xml"]; };
        for (int n = 1; n <= 9; ++n)
            EXPECT_EQ(deck::paragraphs(slide(n)).at(0), "slide " + std::to_string(n) + (n == 2 ? " changed" : ""));
        EXPECT_NE(parts["ppt/notesSlides/notesSlide" + std::to_string(first + 2) + ".xml"].find(">note<"), std::string::npos);
        EXPECT_NE(slide(4).find("b=\"1\""), std::string::npos);
        EXPECT_NE(parts["ppt/slides/_rels/slide" + std::to_string(first + 4) + ".xml.rels"].find("https://example.com/"),
                  std::string::npos);
        EXPECT_NE(slide(6).find(">foot<"), std::string::npos);
        EXPECT_NE(slide(7).find("<a:spAutoFit/>"), std::string::npos);
    };
    check(save("early.pptx"), 1);
    presentation->GetSlides()->Add(1, ppLayoutBlank);  // every slide one place on
    check(save("moved.pptx"), 2);

    // With nowhere to set slides aside, the save makes every slide.
    const std::string tmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    ::setenv("TMPDIR", (dir / "early.pptx").c_str(), 1);  // a file, not a folder
    auto other = app->GetPresentations()->Add(msoTrue);
    for (int i = 0; i < 5; ++i)
        other->GetSlides()->Add(i + 1, ppLayoutBlank)->GetShapes()->AddLabel(msoTextOrientationHorizontal, 0, 0, 100, 20)
            ->GetTextFrame()->GetTextRange()->InsertAfter(u"kept");
    tmp.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", tmp.c_str(), 1);
    EXPECT_EQ(dynamic_cast<ppt::FinishedSlides&>(*ppt::presentationModel(other)->background).made(), 0u);
    other->SaveAs(u16((dir / "direct.pptx").string()), ppSaveAsPresentation, msoTrue);
    EXPECT_EQ(deck::paragraphs(deck::readParts(dir / "direct.pptx")["ppt/slides/slide5.xml"]).at(0), "kept");
}

// Replacing whole, keeping the old file on failure: tests/office and
// tests/hostile/WriteFaultSweepTest. Here: the COM errors a refusal gives.
TEST_F(SaveTest, RefusalsAreComErrorsNamingThePathAndWriteNothing)
{
    auto path = save("deck.pptx");
    expectSoundPackage(path);  // an empty presentation is a sound package too
    ::chmod(path.c_str(), 0444);
    std::string why;
    EXPECT_EQ(errorOf([&] { save("deck.pptx"); }, &why), E_ACCESSDENIED);
    EXPECT_NE(why.find("deck.pptx\": the file is read-only"), std::string::npos) << why;
    ::chmod(path.c_str(), 0644);

    addSlide();
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
    // "deck.pptx", "plain" and "folder": nothing else written.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

TEST_F(SaveTest, WindowsStyleNamesWriteThePackage)
{
    addSlide();
    fs::create_directory(dir / "Decks");
    // Backslashes, and a folder spelt in another letter case.
    std::string name = dir.path().string() + "\\decks\\Report.pptx";
    presentation->SaveAs(u16(name), ppSaveAsPresentation, msoTrue);
    EXPECT_EQ(presentation->GetFullName(), u16(name));
    expectSoundPackage(dir / "Decks" / "Report.pptx");
}

}  // namespace
}  // namespace ppttest
