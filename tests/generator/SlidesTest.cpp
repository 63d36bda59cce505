// Slides as the generator builds them: the labels of a new slide, when text
// flows onto the next one, the header of each deck, and the label a failing
// call is reported under (header, footer and notes: scripts/).
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "common/Modules.h"

using namespace gentest;

namespace {

using Slides = GeneratorTest;

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
    expectRecorded(pptx::dump(deck.slides[4], 5));
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
