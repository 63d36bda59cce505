// The slide builder: the layout and the order of its steps, when slides are
// made and when not, and its failures.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "com/ComError.h"

using namespace gentest;

namespace {

using SlideBuilder = GeneratorTest;

TEST_F(SlideBuilder, CreateBuildsTheFirstSlideInTheFixedOrder)
{
    doc->start();
    ppt.calls.clear();
    doc->create(bs(deckPath()).get());
    std::vector<std::string> expected = {
        "Presentations.Add(-1)",
        "Presentation.SlideMaster",
        "Master.HeadersFooters",
        "HeadersFooters.SlideNumber",
        "SlideNumber.Visible=0",
        "Presentation.Slides",
        "Slides.Add(1,12)",
        "Slide.NotesPage",
        "NotesPage.Shapes",
        "Shapes.Placeholders",
        "Placeholders.Item(2)",
        "Shape.TextFrame",
        "TextFrame.TextRange",
        "Slide.Shapes",
        "Shapes.AddLabel(1,75,10,101,36)",
        "Shape.TextFrame",
        "TextFrame.TextRange",
        "Slide.Shapes",
        "Shapes.AddLabel(1,75,55,600,420)",
        "Shape.TextFrame",
        "TextFrame.TextRange",
        "Slide.HeadersFooters",
        "HeadersFooters.SlideNumber",
        "SlideNumber.Visible=0",
        "TextFrame.AutoSize=0",
        "TextFrame.WordWrap=-1",
    };
    EXPECT_EQ(ppt.calls, expected);
    auto slide = slideAt(1);
    ASSERT_TRUE(slide);
    auto labels = slide->labels();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[1]->frame->autoSize, 0);
    EXPECT_EQ(labels[1]->frame->wordWrap, -1);
}

TEST_F(SlideBuilder, PageBreaksMakeNoEmptySlides)
{
    open();
    doc->insertPageBreak();
    doc->insertPageBreak();
    EXPECT_EQ(deck()->slides.size(), 1u);
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
    EXPECT_EQ(deck()->slides.size(), 1u);

    text("body");
    doc->insertPageBreak();
    EXPECT_EQ(deck()->slides.size(), 2u);
    EXPECT_EQ(ppt.callsOf("Slides.Add").back(), "Slides.Add(2,12)");
}

TEST_F(SlideBuilder, PageBreakBeforeCreateOrAfterCloseDoesNothing)
{
    doc->insertPageBreak();
    open();
    text("x");
    doc->close();
    doc->insertPageBreak();
    EXPECT_EQ(ppt.count("Slides.Add"), 1);
    EXPECT_TRUE(logFrom("orvel->insertPageBreak();").empty());
}

TEST_F(SlideBuilder, TheHeaderOfASlideIsPaintedWhenTheSlideIsFinished)
{
    open();
    doc->startHeader();
    text("Page ");
    doc->insertField(4);
    doc->endHeader();
    text("one");
    doc->insertPageBreak();
    // Slide 1 is finished: its newest header label shows its number.
    EXPECT_EQ(slideAt(1)->labels().back()->frame->utf8(), "Page 1");
    text("two");
    doc->close();
    EXPECT_EQ(slideAt(2)->labels().front()->frame->utf8(), "Page 2");
}

TEST_F(SlideBuilder, BodyTextReachingTheLimitAtALineEndStartsASlide)
{
    double height = 0.0;
    ppt.heightOf = [&](const std::u16string&) { return height; };
    open();
    text("almost");
    height = 419.9;
    endl();
    EXPECT_EQ(deck()->slides.size(), 1u);
    height = 420.0;
    endl();
    EXPECT_EQ(deck()->slides.size(), 2u);
    // Line ends alone on the new slide never make another, however high.
    height = 1000.0;
    endl();
    endl();
    EXPECT_EQ(deck()->slides.size(), 2u);
    text("more");
    endl();
    EXPECT_EQ(deck()->slides.size(), 3u);
    EXPECT_EQ(bodyOf(3), "");
    EXPECT_EQ(bodyOf(2), "\r\rmore\r");
}

TEST_F(SlideBuilder, TextWithoutLineEndsNeverBreaks)
{
    ppt.heightOf = [](const std::u16string&) { return 900.0; };
    open();
    text("a very long text");
    text("and more");
    EXPECT_EQ(deck()->slides.size(), 1u);
}

TEST_F(SlideBuilder, AFailingStepIsReportedAsPageBreak)
{
    open();
    text("x");
    ppt.fail("Slides.Add", E_INVALIDARG);
    std::string reason = failureOf([&] { doc->insertPageBreak(); });
    EXPECT_EQ(reason, "pageBreak\nCOMERROR 0x80070057\n" + ComError(E_INVALIDARG).ErrorMessage());
    // The previous slide was finished, the counter moved on.
    text("y");
    reason = failureOf([&] { doc->insertPageBreak(); });
    EXPECT_EQ(ppt.callsOf("Slides.Add").back(), "Slides.Add(3,12)");
    EXPECT_EQ(reason.rfind("pageBreak\nCOMERROR ", 0), 0u);
}

TEST_F(SlideBuilder, ANotesPageWithoutItsSecondPlaceholderFailsTheSlide)
{
    doc->start();
    ppt.fail("Placeholders.Item", E_INVALIDARG, 0);
    std::string reason = failureOf([&] { doc->create(bs(deckPath()).get()); });
    EXPECT_EQ(reason.rfind("pageBreak\nCOMERROR 0x80070057\n", 0), 0u) << reason;
}

TEST_F(SlideBuilder, LineEndFailureInsideTheBreakStillNamesThePageBreak)
{
    open();
    text("x");
    ppt.fail("Shapes.AddLabel", E_FAIL);
    ppt.heightOf = [](const std::u16string&) { return 500.0; };
    std::string reason = failureOf([&] { endl(); });
    EXPECT_EQ(reason.rfind("pageBreak\nCOMERROR 0x80004005\n", 0), 0u) << reason;
}

TEST_F(SlideBuilder, ReadingTheTextHeightIsPartOfTheLineEnd)
{
    open();
    ppt.fail("TextRange.BoundHeight", E_FAIL);
    EXPECT_EQ(failureOf([&] { endl(); }), "insertEndl\nCOMERROR 0x80004005\n" + ComError(E_FAIL).ErrorMessage());
}

}  // namespace
