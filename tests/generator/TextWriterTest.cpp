// PptText against one fake text frame: what it appends, which characters it
// formats, in which order it sets the font, and the hyperlinks it attaches.
#include <gtest/gtest.h>

#include "FakePowerPoint.h"
#include "com/ComError.h"
#include "common/TestEnv.h"
#include "text/PptText.h"

using namespace PowerPoint;

namespace {

struct FakeFrame {
    std::shared_ptr<fakeppt::Recorder> rec = std::make_shared<fakeppt::Recorder>();
    ComPtr<_Application> app = fakeppt::makeApplication(rec);
    ComPtr<Shapes> shapes;
    ComPtr<TextRange> range;
    std::shared_ptr<fakeppt::FrameModel> model;

    FakeFrame()
    {
        ComPtr<_Slide> slide = app->GetPresentations()->Add(msoTrue)->GetSlides()->Add(1, ppLayoutBlank);
        shapes = slide->GetShapes();
        range = shapes->AddLabel(msoTextOrientationHorizontal, 75, 55, 600, 420)->GetTextFrame()->GetTextRange();
        model = rec->open[0]->slides[0]->shapes[0]->frame;
        rec->calls.clear();
    }
    std::vector<std::string> calls() const { return rec->calls; }
};

FontData font(const char* name, short size, bool bold = false)
{
    FontData f;
    f.name = name;
    f.size = size;
    f.bold = bold;
    return f;
}

class TextWriter : public ::testing::Test {
protected:
    FakeFrame frame;
    PptText writer;
    void SetUp() override { writer.beginSlide(frame.range, frame.shapes); }
};

TEST_F(TextWriter, AppendsThenFormatsInTheFixedPropertyOrder)
{
    writer.setFont(font("Courier New", 12, true));
    frame.rec->calls.clear();
    writer.insertText(KestString("ab"));
    std::vector<std::string> expected = {
        "TextRange.InsertAfter(\"ab\")", "TextRange.Length", "TextRange.Characters(1,2)", "TextRange.Font",
        "Font.Bold=-1", "Font.Italic=0", "Font.Underline=0", "Font.Size=12", "Font.Name=\"Courier New\"",
        "TextRange.ParagraphFormat", "ParagraphFormat.Bullet", "Bullet.Visible=0"};
    EXPECT_EQ(frame.calls(), expected);
    // Size 0 leaves the point size alone.
    writer.setFont(font("Arial", 0));
    writer.insertText(KestString("x"));
    EXPECT_EQ(frame.rec->count("Font.Size="), 1);
    EXPECT_EQ(frame.rec->callsOf("Font.Bold=").back(), "Font.Bold=0");
}

// The worked example of the position bookkeeping.
TEST_F(TextWriter, FontStartAndHyperlinkPositionsFollowTheFrameLength)
{
    writer.setFont(font("F1", 10));
    EXPECT_EQ(writer.fontStart(), 1);
    writer.insertText(KestString("ab\ncd"));
    // Only what is not yet formatted: the paragraph end and "cd".
    EXPECT_EQ(frame.rec->callsOf("TextRange.Characters"),
              (std::vector<std::string>{"TextRange.Characters(1,2)", "TextRange.Characters(3,5)"}));
    EXPECT_EQ(writer.paragraph(), 2);
    writer.setFont(font("F2", 10));
    EXPECT_EQ(writer.fontStart(), 6);
    writer.insertHyperLink(KestString("ef"), KestString("258,3,Slide 3"));
    writer.insertText(KestString("g"));
    EXPECT_EQ(frame.rec->callsOf("TextRange.Characters").back(), "TextRange.Characters(6,8)");
    frame.rec->calls.clear();
    writer.closeSlide();
    EXPECT_EQ(frame.calls().front(), "TextRange.Characters(6,2)");
    ASSERT_EQ(frame.model->links.size(), 1u);
    EXPECT_EQ(frame.model->links[0].start, 6);
    EXPECT_EQ(frame.model->links[0].length, 2);
    EXPECT_EQ(frame.model->links[0].link->subAddress, "258,3,Slide 3");
    EXPECT_EQ(frame.model->links[0].link->address, "");
    EXPECT_EQ(frame.model->utf8(), "ab\rcdefg");
}

TEST_F(TextWriter, LineFeedsBecomeParagraphEndsAndNothingElseSplits)
{
    writer.insertEndl();  // a paragraph end, not formatted
    EXPECT_EQ(frame.calls(), std::vector<std::string>{"TextRange.InsertAfter(\"\r\")"});
    writer.insertText(KestString("one\n"));
    EXPECT_EQ(frame.model->utf8(), "\rone\r");
    EXPECT_EQ(writer.paragraph(), 3);
    writer.insertText(KestString("\n\n"));
    EXPECT_EQ(frame.model->utf8(), "\rone\r\r\r");
    EXPECT_EQ(writer.paragraph(), 5);
    writer.insertText(KestString("a\r\nb\t\"<x>\""));
    EXPECT_EQ(frame.model->utf8(), "\rone\r\r\ra\r\rb\t\"<x>\"");
    EXPECT_EQ(writer.paragraph(), 6);  // only the line feed counts
}

TEST_F(TextWriter, EmptyTextAppendsNothingButStillAppliesTheFont)
{
    writer.insertText(KestString(""));
    EXPECT_EQ(frame.calls().front(), "TextRange.InsertAfter(\"\")");
    EXPECT_EQ(frame.rec->count("Font.Name="), 1);
    EXPECT_EQ(frame.rec->count("TextRange.InsertAfter"), 1);
}

TEST_F(TextWriter, AlignmentCodes)
{
    writer.setTextAlign(0);
    EXPECT_TRUE(frame.calls().empty());
    EXPECT_EQ(writer.getTextAlign(), 0);

    writer.insertText(KestString("x\ny"));
    frame.rec->calls.clear();
    writer.setTextAlign(4);
    EXPECT_EQ(frame.calls(), (std::vector<std::string>{"TextRange.Paragraphs(2,1)", "TextRange.ParagraphFormat",
                                                       "ParagraphFormat.Alignment=1"}));
    EXPECT_EQ(writer.getTextAlign(), 4);
    writer.setTextAlign(2);
    writer.setTextAlign(3);
    EXPECT_EQ(frame.rec->callsOf("ParagraphFormat.Alignment=").back(), "ParagraphFormat.Alignment=3");
    frame.rec->calls.clear();
    writer.setTextAlign(9);
    EXPECT_EQ(frame.rec->count("ParagraphFormat.Alignment="), 0);
    EXPECT_EQ(frame.rec->count("TextRange.Paragraphs"), 1);
    EXPECT_EQ(writer.getTextAlign(), 9);
    writer.setTextAlign(0);
    EXPECT_EQ(writer.getTextAlign(), 9);
}

TEST_F(TextWriter, BulletsGoToTheWholeFrameAndAFontSwitchTurnsThemOff)
{
    writer.setStyle(KestString("Heading 2"));
    writer.insertText(KestString("before\n"));
    writer.setStyle(KestString("List Bullet"));
    EXPECT_TRUE(writer.bullet());
    FontData kept = writer.getFont();
    EXPECT_EQ(kept.name, KestString("Arial"));
    EXPECT_TRUE(kept.bold && kept.italic && kept.size == 24);
    writer.insertText(KestString("item"));
    EXPECT_TRUE(frame.model->bulletVisible);
    EXPECT_EQ(frame.rec->callsOf("TextRange.Characters").back(), "TextRange.Characters(7,11)");
    EXPECT_EQ(frame.rec->count("ParagraphFormat.Bullet"), 1);  // one bullet object per frame
    writer.setStyle(KestString("Normal"));
    writer.insertText(KestString("after"));
    EXPECT_FALSE(frame.model->bulletVisible);
    EXPECT_EQ(frame.rec->callsOf("Font.Name=").back(), "Font.Name=\"Times New Roman\"");
}

TEST_F(TextWriter, HyperlinkTargetsAreAddressesOrSubAddresses)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "file.txt", "x");
    writer.insertHyperLink(KestString("web"), KestString("http://example.com/a"));
    writer.insertHyperLink(KestString("file"), KestString((dir / "file.txt").string()));
    writer.insertHyperLink(KestString("jump"), KestString("259,4,Slide 4"));
    EXPECT_EQ(writer.pendingLinks(), 3u);
    writer.closeSlide();
    ASSERT_EQ(frame.model->links.size(), 3u);
    // Newest first.
    EXPECT_EQ(frame.model->links[0].link->subAddress, "259,4,Slide 4");
    EXPECT_EQ(frame.model->links[0].start, 8);
    EXPECT_EQ(frame.model->links[0].length, 4);
    EXPECT_EQ(frame.model->links[1].link->address, (dir / "file.txt").string());
    EXPECT_EQ(frame.model->links[2].link->address, "http://example.com/a");
    EXPECT_EQ(frame.model->links[2].start, 1);
    EXPECT_EQ(frame.model->links[2].length, 3);
    frame.rec->calls.clear();
    writer.closeSlide();
    EXPECT_TRUE(frame.calls().empty());
}

TEST_F(TextWriter, AFailedCloseKeepsEveryLinkForTheNextOne)
{
    writer.insertHyperLink(KestString("a"), KestString("http://a"));
    writer.insertHyperLink(KestString("b"), KestString("http://b"));
    frame.rec->fail("Hyperlink.Address=", E_FAIL, 2);
    EXPECT_THROW(writer.closeSlide(), ComError);
    EXPECT_EQ(writer.pendingLinks(), 2u);
    writer.closeSlide();
    EXPECT_EQ(writer.pendingLinks(), 0u);
}

TEST_F(TextWriter, EmbedsFilesInTheFixedBox)
{
    writer.insertFile(KestString("/x/y/Deck.ppt"), KestString("PowerPoint.Show"), KestString("PowerPnt.exe"), true,
                      false);
    EXPECT_EQ(frame.calls(), std::vector<std::string>{"Shapes.AddOLEObject(120,110,480,320,\"\",\"/x/y/Deck.ppt\",0,"
                                                      "\"PowerPnt.exe\",1,\"Deck.ppt\",-1)"});
}

TEST(TextWriterWithoutFrame, TextCallsFailWithEPointerAndSetFontKeepsTheFont)
{
    PptText writer;
    auto code = [](auto call) {
        try {
            call();
        } catch (const ComError& e) {
            return e.Error();
        }
        return S_OK;
    };
    EXPECT_EQ(code([&] { writer.insertText(KestString("x")); }), E_POINTER);
    EXPECT_EQ(code([&] { writer.insertEndl(); }), E_POINTER);
    EXPECT_EQ(code([&] { writer.setTextAlign(1); }), E_POINTER);
    EXPECT_EQ(code([&] { writer.insertFile(KestString("a.ppt"), {}, {}, false, false); }), E_POINTER);
    EXPECT_EQ(code([&] { writer.setFont(font("Kept", 9)); }), E_POINTER);
    EXPECT_EQ(writer.getFont().name, KestString("Kept"));
    EXPECT_EQ(writer.fontStart(), 1);
    EXPECT_EQ(code([&] { writer.closeSlide(); }), S_OK);  // nothing pending: nothing asked
}

TEST_F(TextWriter, ANewSlideStartsTheCurrentFontAtTheFrameStart)
{
    writer.setFont(font("Georgia", 14));
    writer.insertText(KestString("some text on the first slide"));
    FakeFrame next;
    writer.beginSlide(next.range, next.shapes);
    EXPECT_EQ(writer.fontStart(), 1);
    EXPECT_EQ(writer.paragraph(), 1);
    writer.insertText(KestString("x"));
    // Text right after formatted text is formatted through the range appended.
    writer.insertText(KestString("y"));
    EXPECT_EQ(next.rec->callsOf("TextRange.Characters"), std::vector<std::string>{"TextRange.Characters(1,1)"});
    EXPECT_EQ(next.rec->callsOf("Font.Name="), std::vector<std::string>(2, "Font.Name=\"Georgia\""));
}

}  // namespace
