// BoundHeight from the layout: single-spaced lines of 1.2 times the largest
// size on them, wrapping within the frame less its insets, long words broken
// anywhere. (The per-paragraph cache against a recount: TextBodyTest.)
#include "PptTestSupport.h"

namespace ppttest {
namespace {

class LayoutTest : public PptTest {
protected:
    void SetUp() override
    {
        PptTest::SetUp();
        slide = addSlide();
    }
    ComPtr<TextRange> body(float width = 600)
    {
        return textOf(addBody(slide, 75, 55, width, 420));
    }
    ComPtr<_Slide> slide;
};

// The height of what is written: an empty last paragraph holds nothing yet,
// so the text written next starts at the height measured.
TEST_F(LayoutTest, EachParagraphWrittenAddsALine)
{
    auto range = body();
    range->GetFont()->PutSize(20);
    const std::pair<const char16_t*, int> steps[] = {{u"", 0}, {u"one", 1}, {u"\r", 1}, {u"\r", 2}, {u"three\r", 3}};
    for (auto [text, lines] : steps) {
        range->InsertAfter(text);
        EXPECT_NEAR(range->GetBoundHeight(), lines * 24.0f, 0.01f) << range->GetLength();
    }
    // The largest size on a line sets its height.
    range->Paragraphs(1, 1)->Characters(2, 1)->GetFont()->PutSize(40);
    EXPECT_NEAR(range->GetBoundHeight(), 48 + 2 * 24.0f, 0.01f);
    // A sub-range measures the lines it touches.
    EXPECT_NEAR(range->Paragraphs(3, 1)->GetBoundHeight(), 24.0f, 0.01f);
}

TEST_F(LayoutTest, WrapsWithinTheFrameLessItsInsetsOnlyWhenWrapping)
{
    // Forty words of about 50 points each cannot share one 585-point line.
    std::u16string words;
    for (int i = 0; i < 40; ++i) words += u"wording ";
    auto wrapped = body();
    wrapped->InsertAfter(words);
    const float lines = wrapped->GetBoundHeight() / (18 * 1.2f);
    EXPECT_GE(lines, 3.0f);
    EXPECT_FLOAT_EQ(lines, std::round(lines));

    auto label = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 55, 600, 420);
    textOf(label)->InsertAfter(words);
    EXPECT_FLOAT_EQ(textOf(label)->GetBoundHeight(), 18 * 1.2f);
    EXPECT_GT(label->GetWidth(), 1000.0f);

    // The same words in a frame half as wide take about twice the lines,
    // and more again when bullets indent them.
    auto narrow = body(300);
    narrow->InsertAfter(words);
    EXPECT_GE(narrow->GetBoundHeight(), 1.8f * wrapped->GetBoundHeight());
    auto bulleted = body(300);
    bulleted->InsertAfter(words);
    bulleted->GetParagraphFormat()->GetBullet()->PutVisible(msoTrue);
    EXPECT_GT(bulleted->GetBoundHeight(), narrow->GetBoundHeight());

    // A word longer than the line breaks anywhere.
    auto tight = body(100);
    tight->InsertAfter(u"Pneumonoultramicroscopicsilicovolcanoconiosis");
    EXPECT_GE(tight->GetBoundHeight(), 3 * 18 * 1.2f);
}

}  // namespace
}  // namespace ppttest
