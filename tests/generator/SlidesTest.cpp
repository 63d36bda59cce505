// Slides as the generator builds them: the labels of a new slide, when text
// flows onto the next one, the header and footer painted onto every finished
// slide, the notes, and the label a failing call is reported under.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "common/Modules.h"
#include "support/SysTime.h"

using namespace gentest;

namespace {

using Slides = GeneratorTest;

TEST_F(Slides, CreateThenCloseMakesOneSlideWithAHeaderAndABodyLabel)
{
    open();
    expectRecorded(savedDump());
    EXPECT_EQ(logLines(), (std::vector<std::string>{"orvel->start();", "orvel->create(\"" + deckPath() + "\");",
                                                    "orvel->close();"}));
    doc->close();  // a second close: nothing
    EXPECT_EQ(logLines().size(), 3u);
}

TEST_F(Slides, PageBreaksMakeNoEmptySlides)
{
    doc->insertPageBreak();  // before create: nothing, not even an echo
    open();
    doc->insertPageBreak();
    doc->insertPageBreak();
    EXPECT_EQ(slideCount(), 1);
    EXPECT_EQ(logFrom("orvel->insertPageBreak();"),
              (std::vector<std::string>{"orvel->insertPageBreak();", "", "orvel->insertPageBreak();", ""}));
    // Header text and notes text do not make a slide used.
    doc->startHeader();
    text("head");
    doc->endHeader();
    option("startNote");
    text("note");
    option("endNote");
    doc->insertPageBreak();
    EXPECT_EQ(slideCount(), 1);
    text("body");
    doc->insertPageBreak();
    EXPECT_EQ(slideCount(), 2);
    text("last");
    expectRecorded(savedDump());
    std::size_t lines = logLines().size();
    doc->insertPageBreak();  // after close: nothing
    EXPECT_EQ(logLines().size(), lines);
}

TEST_F(Slides, BodyTextFlowsOntoANewSlideOnlyAtALineEnd)
{
    open();
    doc->setFontSize(24);
    std::string longText;
    for (int i = 0; i < 200; ++i) longText += "words without a line end ";
    text(longText);
    text("and more");
    EXPECT_EQ(slideCount(), 1);
    endl();
    EXPECT_EQ(slideCount(), 2);
    // Line ends alone on the new slide never make another.
    for (int i = 0; i < 30; ++i) endl();
    EXPECT_EQ(slideCount(), 2);
    for (int i = 1; i <= 40; ++i) {
        text("Line " + std::to_string(i));
        endl();
    }
    pptx::Package deck = saved();
    ASSERT_EQ(deck.slides.size(), 5u);
    // Every full slide ends with the line end that filled it; 24-point lines fill 420 points after a dozen or more.
    const auto& third = deck.slides[2].labels().at(1)->paragraphs;
    EXPECT_EQ(third.size(), 16u);
    EXPECT_EQ(third.front().text() + "|" + third[14].text() + "|" + third.back().text(), "Line 2|Line 16|");
    std::string last = slideStart(5);
    for (int i = 32; i <= 40; ++i) last += "  p l: \"Line " + std::to_string(i) + "\"{Arial 24}\n";
    EXPECT_EQ(pptx::dump(deck.slides[4], 5), last + "  p l:\n");
}

TEST_F(Slides, TheHeaderIsPaintedOnEveryFinishedSlideWithItsNumber)
{
    open();
    doc->startHeader();
    doc->setFontSize(8);
    doc->setFontAttribute(2, 1);
    text("Page ");
    doc->insertField(4);
    text(" of <PAGE>\nsecond");
    endl();                // ignored in the header
    doc->setTextAlign(2);  // ignored in the header
    doc->endHeader();
    text("one");
    doc->insertPageBreak();
    text("two");
    doc->startHeader();
    text("H");
    doc->endFooter();  // ends the header too, without a label of its own
    text(" more");
    expectRecorded(savedDump());
}

TEST_F(Slides, EveryDeckOfOneObjectStartsAtSlideOneWithItsHeader)
{
    // The labels of every slide in z-order: the header is painted over a
    // finished first slide, and is the title label of the slides after it.
    auto labels = [](const pptx::Package& deck) {
        std::string out;
        for (const pptx::Slide& slide : deck.slides) {
            for (const pptx::Shape* label : slide.labels()) out += label->text() + "|";
            out += "\n";
        }
        return out;
    };
    open("a");
    doc->startHeader();
    text("H<PAGE>");
    doc->endHeader();
    text("first");
    doc->insertPageBreak();
    text("second");
    EXPECT_EQ(labels(saved("a")), "|first|H1|\nH2|second|\n");
    ASSERT_EQ(doc->create(bs(deckPath("b")).get()), S_OK);
    text("b1");
    doc->insertPageBreak();
    text("b2");
    ASSERT_EQ(doc->create(bs(deckPath("c")).get()), S_OK);  // b was not closed: its last slide is finished as it is
    text("c1");
    EXPECT_EQ(labels(saved("c")), "H1|c1|\n");
    // b is still open in PowerPoint, unsaved: saved here to be read.
    powerpoint->GetPresentations()->Item(1)->SaveAs(com::utf8ToUtf16(deckPath("b")), PowerPoint::ppSaveAsPresentation,
                                                    PowerPoint::msoTrue);
    EXPECT_EQ(labels(pptx::Package(deckPath("b"))), "H1|b1|\nH2|b2|\n");
    ASSERT_EQ(doc->stop(), S_OK);
    std::string error;  // PowerPoint has quit: the next start launches it
    ASSERT_TRUE(testenv::registerModule("libpowerpoint.so", &error)) << error;
    open("d");
    text("d1");
    EXPECT_EQ(labels(saved("d")), "H1|d1|\n");
}

TEST_F(Slides, TheFooterFillsThePlaceholdersOfEverySlide)
{
    open();
    doc->startFooter();
    text("Acme");
    text(" Corp");
    doc->setFontSize(9);  // font, style and alignment calls change nothing in the footer
    doc->setStyle(bs("Heading 1").get());
    doc->setTextAlign(3);
    doc->insertXref(bs("dropped").get(), bs("http://x").get());
    doc->insertField(1);
    doc->insertField(1);
    doc->insertField(2);  // the time is not recorded in the footer
    doc->insertField(4);
    doc->endFooter();
    text("one");
    doc->insertPageBreak();
    doc->startFooter();  // starts empty
    doc->insertField(2);
    doc->endFooter();
    text("two");
    doc->insertPageBreak();
    doc->startFooter();
    doc->insertField(4);  // the number alone shows the footer too
    doc->endFooter();
    text("three");
    std::string dump = savedDump();
    const std::string today = SysTime::currentDate().str();
    ASSERT_NE(dump.find(today), std::string::npos) << dump;
    dump.replace(dump.find(today), today.size(), "<today>");
    expectRecorded(dump);
}

TEST_F(Slides, TextGoesWhereTheCaptureModeSays)
{
    open();
    text("body ");
    option("startNote");
    text("note");
    endl();
    text("more note");
    doc->setOption(bs("StartNote").get(), bs("").get());  // not an option word: still notes
    text("!");
    option("endNote");
    text("body again");
    doc->startHeader();
    text("head");
    option("endNote");  // back to the body from any mode
    text(" end");
    expectRecorded(savedDump());
}

// After PowerPoint has gone every call fails; each failure names the call.
TEST_F(Slides, FailuresCarryTheLabelOfTheCall)
{
    open();
    text("x");
    doc->startHeader();
    text("h");
    powerpoint->Quit();
    auto label = [](const std::string& reason) { return reason.substr(0, reason.find('\n')); };
    EXPECT_EQ(label(failureOf([&] { doc->endHeader(); })), "endHeader");
    EXPECT_EQ(failureOf([&] { text("still header"); }), "");  // a failed endHeader stays in header mode
    option("endNote");
    EXPECT_EQ(failureOf([&] { text("y"); }), "insertText\nCOMERROR 0x800706ba\nPowerPoint is unavailable.");
    EXPECT_EQ(label(failureOf([&] { doc->setFontSize(3); })), "switchFont");
    EXPECT_EQ(label(failureOf([&] { doc->setStyle(bs("Normal").get()); })), "setStyle");
    EXPECT_EQ(label(failureOf([&] { doc->insertField(1); })), "insertField");
    EXPECT_EQ(label(failureOf([&] { endl(); })), "insertEndl");
    EXPECT_EQ(label(failureOf([&] { doc->insertPageBreak(); })), "pageBreak");
    // The echo is written before the work: the failing call is in the log, then why it failed.
    std::vector<std::string> lines = logLines();
    EXPECT_EQ(lines[lines.size() - 3], "orvel->insertPageBreak();");
    EXPECT_EQ(lines.back(), "ERR pageBreak: PowerPoint has quit: the application is no longer available.");
}

}  // namespace
