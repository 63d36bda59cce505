// Text ranges as the text writer uses them: the frame's own range follows
// appends, positions count UTF-16 code units from 1, "\r" ends a paragraph,
// sub-ranges clamp at the end, formatting is kept in runs. (Formatting of
// inserted text, alignment and bullets as the generator sets them: the
// saved decks of tests/generator/TextTest.)
#include "PptTestSupport.h"

namespace ppttest {
namespace {

class TextRangeTest : public PptTest {
protected:
    void SetUp() override
    {
        PptTest::SetUp();
        slide = addSlide();
        body = addBody(slide);
        range = textOf(body);
    }
    ComPtr<_Slide> slide;
    ComPtr<Shape> body;
    ComPtr<TextRange> range;
};

TEST_F(TextRangeTest, FrameRangeCoversTextAppendedLaterCountingUtf16CodeUnits)
{
    EXPECT_EQ(range->GetLength(), 0);
    range->InsertAfter(u"ab");
    range->InsertAfter(u"\r");
    auto inserted = range->InsertAfter(u"cd");
    EXPECT_EQ(range->GetLength(), 5);
    EXPECT_EQ(range->GetText(), u"ab\rcd");
    EXPECT_EQ(range->GetStart(), 1);
    EXPECT_EQ(inserted->GetStart(), 4);
    EXPECT_EQ(inserted->GetLength(), 2);
    // Another range taken from the frame earlier sees the same text.
    auto again = body->GetTextFrame()->GetTextRange();
    range->InsertAfter(u"e");
    EXPECT_EQ(again->GetText(), u"ab\rcde");
    range->InsertAfter(u"a\U0001F600b");  // the emoji is a surrogate pair
    EXPECT_EQ(range->GetLength(), 10);
    EXPECT_EQ(range->Characters(10, 1)->GetText(), u"b");
}

TEST_F(TextRangeTest, CharactersAndParagraphsClampAtTheEnd)
{
    range->InsertAfter(u"abcdef");
    EXPECT_EQ(range->Characters(3, 2)->GetText(), u"cd");
    EXPECT_EQ(range->Characters(5, 100)->GetText(), u"ef");
    // Just past the end: the insertion point; further: the last character.
    EXPECT_EQ(range->Characters(7, 3)->GetLength(), 0);
    EXPECT_EQ(range->Characters(7, 3)->GetStart(), 7);
    EXPECT_EQ(range->Characters(40, 3)->GetText(), u"f");
    // Relative to a sub-range.
    auto sub = range->Characters(2, 3);
    EXPECT_EQ(sub->Characters(2, 5)->GetText(), u"cd");
    EXPECT_EQ(errorOf([&] { range->Characters(0, 1); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { range->Characters(1, -1); }), E_INVALIDARG);

    // Paragraphs include their paragraph end.
    range = textOf(addBody(slide));
    range->InsertAfter(u"one\rtwo\rthree");
    EXPECT_EQ(range->Paragraphs(1, 1)->GetText(), u"one\r");
    EXPECT_EQ(range->Paragraphs(2, 1)->GetText(), u"two\r");
    EXPECT_EQ(range->Paragraphs(3, 1)->GetText(), u"three");
    EXPECT_EQ(range->Paragraphs(2, 9)->GetText(), u"two\rthree");
    EXPECT_EQ(range->Paragraphs(4, 1)->GetLength(), 0);
    EXPECT_EQ(range->Paragraphs(2, 0x7fffffff)->GetText(), u"two\rthree");
    EXPECT_EQ(range->Characters(0x7fffffff, 0x7fffffff)->GetText(), u"e");
}

TEST_F(TextRangeTest, FontAppliesToItsCharactersAndReportsMixedValues)
{
    range->InsertAfter(u"plain bold");
    auto bold = range->Characters(7, 4)->GetFont();
    bold->PutBold(msoTrue);
    bold->PutSize(24);
    bold->PutName(u"Times New Roman");
    EXPECT_EQ(range->Characters(1, 5)->GetFont()->GetBold(), msoFalse);
    EXPECT_EQ(bold->GetBold(), msoTrue);
    EXPECT_EQ(range->GetFont()->GetBold(), msoTriStateMixed);
    EXPECT_EQ(range->GetFont()->GetSize(), 0.0f);
    EXPECT_EQ(range->GetFont()->GetName(), u"");
    EXPECT_EQ(bold->GetName(), u"Times New Roman");
    EXPECT_EQ(range->Characters(1, 1)->GetFont()->GetSize(), 18.0f);
    bold->PutUnderline(msoTriStateToggle);
    EXPECT_EQ(bold->GetUnderline(), msoTrue);
}

TEST_F(TextRangeTest, BadValuesAreRefusedWithADescription)
{
    range->InsertAfter(u"x");
    auto font = range->GetFont();
    std::string why;
    EXPECT_EQ(errorOf([&] { font->PutName(u""); }, &why), E_INVALIDARG);
    EXPECT_NE(why.find("Font.Name"), std::string::npos);
    EXPECT_EQ(errorOf([&] { font->PutSize(0); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { font->PutSize(std::nanf("")); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { font->PutBold(msoTriStateMixed); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { range->GetActionSettings()->Item(static_cast<PpMouseActivation>(3)); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { body->GetTextFrame()->PutAutoSize(static_cast<PpAutoSize>(7)); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { body->GetTextFrame()->PutWordWrap(static_cast<MsoTriState>(5)); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { range->GetParagraphFormat()->PutAlignment(static_cast<PpParagraphAlignment>(9)); }), E_INVALIDARG);
}

}  // namespace
}  // namespace ppttest
