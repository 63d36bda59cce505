// Header and footer: recorded once, painted onto every finished slide.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "com/ComError.h"

using namespace gentest;

namespace {

using HeaderFooter = GeneratorTest;

std::string newestHeader(const std::shared_ptr<fakeppt::SlideModel>& slide)
{
    std::string text;
    for (const auto& label : slide->labels())
        if (label->top == 10.0f) text = label->frame->utf8();
    return text;
}

TEST_F(HeaderFooter, PageMarkerShowsTheSlideNumberFirstMarkerOnly)
{
    open();
    doc->startHeader();
    text("Page ");
    doc->insertField(4);
    text(" of <PAGE>");
    doc->endHeader();
    for (int i = 0; i < 3; ++i) {
        if (i > 0) doc->insertPageBreak();
        text("body");
    }
    doc->close();
    ASSERT_EQ(deck()->slides.size(), 3u);
    EXPECT_EQ(newestHeader(slideAt(1)), "Page 1 of <PAGE>");
    EXPECT_EQ(newestHeader(slideAt(2)), "Page 2 of <PAGE>");
    EXPECT_EQ(newestHeader(slideAt(3)), "Page 3 of <PAGE>");
    // endHeader added a second label to slide 1; the older one stays empty.
    EXPECT_EQ(slideAt(1)->labels().size(), 3u);
    EXPECT_EQ(slideAt(1)->labels()[0]->frame->utf8(), "");
}

TEST_F(HeaderFooter, HeaderModeIgnoresLineEndsAndAlignmentAndKeepsLineFeeds)
{
    open();
    doc->startHeader();
    text("a\nb");
    endl();
    doc->setTextAlign(2);
    doc->endHeader();
    doc->close();
    EXPECT_EQ(newestHeader(slideAt(1)), "a\rb");
    EXPECT_TRUE(slideAt(1)->labels().back()->frame->alignment.empty());
}

TEST_F(HeaderFooter, AnEmptyHeaderWritesNothing)
{
    open();
    doc->startHeader();
    doc->endHeader();
    ppt.calls.clear();
    doc->close();
    EXPECT_EQ(ppt.count("TextRange.InsertAfter"), 0);
}

TEST_F(HeaderFooter, HeaderPictureIsPlacedAtTheCornerOnEveryLaterSlide)
{
    testenv::writeFile(dir / "logo.gif", "GIF89a");
    open();
    doc->startHeader();
    doc->insertImage(bs((dir / "logo.gif").string()).get(), bs("http://home").get());
    doc->endHeader();
    EXPECT_TRUE(slideAt(1)->ofKind("picture").empty());  // nothing drawn at once
    text("one");
    doc->insertPageBreak();
    doc->startHeader();  // a new header keeps the picture
    doc->endHeader();
    text("two");
    doc->close();
    for (std::size_t n = 1; n <= 2; ++n) {
        auto pictures = slideAt(n)->ofKind("picture");
        ASSERT_EQ(pictures.size(), 1u) << n;
        EXPECT_EQ(pictures[0]->left, 0.0f);
        EXPECT_EQ(pictures[0]->top, 0.0f);
        EXPECT_EQ(pictures[0]->width, 600.0f);
        EXPECT_EQ(pictures[0]->height, 350.0f);
        EXPECT_EQ(pictures[0]->fileName, (dir / "logo.gif").string());
        EXPECT_EQ(pictures[0]->click->address, "http://home");
    }
}

TEST_F(HeaderFooter, FooterPictureSitsCentredOnTheBottomEdge)
{
    testenv::writeFile(dir / "foot.jpg", "x");
    open();
    doc->startFooter();
    doc->insertImage(bs((dir / "foot.jpg").string()).get(), bs("").get());
    doc->endFooter();
    doc->close();
    auto pictures = slideAt(1)->ofKind("picture");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0]->left, 60.0f);
    EXPECT_EQ(pictures[0]->top, 190.0f);
    EXPECT_EQ(ppt.count("Shape.ActionSettings"), 0);  // no link, no action
}

TEST_F(HeaderFooter, FooterFillsThePlaceholdersInOrder)
{
    open();
    doc->startFooter();
    text("Acme");
    text(" Corp");
    doc->insertField(1);
    doc->insertField(1);
    doc->insertField(4);
    doc->endFooter();
    text("x");
    ppt.calls.clear();
    doc->close();
    std::vector<std::string> expected = {
        "HeadersFooters.Footer",       "Footer.Visible=-1",     "HeadersFooters.SlideNumber",
        "SlideNumber.Visible=-1",      "HeadersFooters.DateAndTime", "DateAndTime.Format=1",
    };
    std::vector<std::string> first(ppt.calls.begin(), ppt.calls.begin() + 6);
    EXPECT_EQ(first, expected);
    auto& hf = slideAt(1)->headersFooters;
    EXPECT_EQ(hf.footer.text, "Acme Corp");
    EXPECT_EQ(hf.dateAndTime.useFormat, 0);
    EXPECT_EQ(hf.dateAndTime.visible, -1);
    EXPECT_EQ(hf.dateAndTime.text.size(), 10u);
}

TEST_F(HeaderFooter, NothingRecordedLeavesThePlaceholdersAlone)
{
    open();
    doc->startFooter();
    doc->insertField(2);  // the time is not recorded in the footer
    doc->endFooter();
    doc->close();
    auto& hf = slideAt(1)->headersFooters;
    EXPECT_EQ(hf.slideNumber.visible, 0);
    EXPECT_EQ(hf.footer.visible, 0);
    EXPECT_EQ(ppt.count("HeadersFooters.Footer"), 0);
}

TEST_F(HeaderFooter, PageNumberAloneShowsTheFooterPlaceholderToo)
{
    open();
    doc->startFooter();
    doc->insertField(4);
    doc->endFooter();
    doc->close();
    auto& hf = slideAt(1)->headersFooters;
    EXPECT_EQ(hf.slideNumber.visible, -1);
    EXPECT_EQ(hf.footer.visible, -1);
    EXPECT_EQ(hf.footer.text, "");
}

TEST_F(HeaderFooter, StartFooterEmptiesWhatWasRecorded)
{
    open();
    doc->startFooter();
    text("old");
    doc->insertField(4);
    doc->endFooter();
    text("1");
    doc->insertPageBreak();
    doc->startFooter();
    doc->endFooter();
    text("2");
    doc->close();
    EXPECT_EQ(slideAt(1)->headersFooters.footer.text, "old");
    EXPECT_EQ(slideAt(2)->headersFooters.footer.text, "");
    EXPECT_EQ(slideAt(2)->headersFooters.slideNumber.visible, 0);
}

TEST_F(HeaderFooter, ModeCallsBeforeCreate)
{
    doc->startFooter();
    doc->startHeader();
    doc->endHeader();
    doc->endFooter();
    EXPECT_EQ(logLines(), std::vector<std::string>{"orvel->endFooter();"});
}

TEST_F(HeaderFooter, AFailedEndHeaderStaysInHeaderMode)
{
    open();
    doc->startHeader();
    ppt.fail("Shapes.AddLabel", E_FAIL);
    EXPECT_EQ(failureOf([&] { doc->endHeader(); }).rfind("endHeader\nCOMERROR 0x80004005\n", 0), 0u);
    text("still header");
    EXPECT_EQ(bodyOf(1), "");
    doc->endHeader();
    text("body");
    EXPECT_EQ(bodyOf(1), "body");
}

TEST_F(HeaderFooter, EndFooterInHeaderModeEndsTheHeaderWithoutALabel)
{
    open();
    doc->startHeader();
    text("H");
    doc->endFooter();
    text("B");
    doc->close();
    EXPECT_EQ(slideAt(1)->labels().size(), 2u);
    EXPECT_EQ(newestHeader(slideAt(1)), "H");
    EXPECT_EQ(bodyOf(1), "B");
}

}  // namespace
