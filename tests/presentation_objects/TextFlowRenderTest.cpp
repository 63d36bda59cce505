// Text flow as LibreOffice sees it: the text height the stand-in measures,
// which decides where the generator starts a new slide, against the height
// LibreOffice gives the same text (label render).
#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>

#include "ObjectFiles.h"
#include "PdfWords.h"
#include "common/PackageCheck.h"

namespace ppttest {
namespace {

using TextFlowRenderTest = PptTest;

// A line as LibreOffice lays it out, rebuilt from pdftotext's word boxes:
// poppler draws a word 0.95 of its size above the baseline and 0.35 below;
// the line itself reaches one size above the baseline and 0.2 below.
struct LineBox {
    double top, bottom;
};
LineBox lineBoxOf(const deck::Word& w)
{
    const double size = (w.yMax - w.yMin) / 1.3;
    const double baseline = w.yMin + 0.95 * size;
    return {baseline - size, baseline + 0.2 * size};
}

struct LayoutCase {
    std::string name;
    bool wrap;
    std::function<void(const ComPtr<TextRange>&)> fill;
};

TEST_F(TextFlowRenderTest, BoundHeightAgreesWithLibreOffice)
{
    const std::u16string prose =
        u"The quick brown fox jumps over the lazy dog while seven wizards quietly box jumping frogs, "
        u"and the committee reviews every quarterly figure twice before lunch on a grey Tuesday morning.";
    auto font = [](const ComPtr<TextRange>& r, const std::u16string& name, float size, bool bold) {
        auto f = r->GetFont();
        f->PutName(name);
        f->PutSize(size);
        f->PutBold(bold ? msoTrue : msoFalse);
    };
    std::vector<LayoutCase> cases = {
        {"serif 20 wrapped", true,
         [&](const ComPtr<TextRange>& r) {
             r->InsertAfter(prose + u"\r" + prose + u" Pneumonoultramicroscopicsilicovolcanoconiosis"
                                                    u"Pneumonoultramicroscopicsilicovolcanoconiosis");
             font(r, u"Times New Roman", 20, false);
         }},
        {"sans 26 bold wrapped", true,
         [&](const ComPtr<TextRange>& r) {
             r->InsertAfter(prose + u"\r\r" + prose);
             font(r, u"Arial", 26, true);
         }},
        {"mixed sizes wrapped", true,
         [&](const ComPtr<TextRange>& r) {
             r->InsertAfter(u"Small first paragraph of twelve point text\r");
             font(r->Paragraphs(1, 1), u"Arial", 12, false);
             auto second = r->InsertAfter(u"A large serif paragraph that is long enough to wrap onto a second line\r");
             font(second, u"Times New Roman", 32, false);
             auto third = r->InsertAfter(prose);
             font(third, u"Arial", 14, false);
             font(third->Characters(5, 11), u"Arial", 28, true);  // "quick brown" larger on the first line
         }},
        {"serif 20 unwrapped", false,
         [&](const ComPtr<TextRange>& r) {
             r->InsertAfter(u"One line that is far too long to fit in the box but is never wrapped at all\rTwo\rThree");
             font(r, u"Times New Roman", 20, false);
         }},
        {"almost full body", true,
         [&](const ComPtr<TextRange>& r) {
             for (int i = 0; i < 16; ++i) r->InsertAfter(u"Line number " + u16(std::to_string(i + 1)) + u" of the body\r");
             r->InsertAfter(u"Last line");
             font(r, u"Times New Roman", 20, false);
         }},
    };
    std::vector<float> heights;
    for (const auto& c : cases) {
        auto slide = addSlide();
        ComPtr<Shape> shape = c.wrap ? addBody(slide)
                                     : slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 55, 600, 420);
        auto range = textOf(shape);
        c.fill(range);
        heights.push_back(range->GetBoundHeight());
    }
    const auto path = save("layout.pptx");
    expectSoundPackage(path);
    const auto pdf = testenv::convertToPdf(path, dir / "pdf");
    ASSERT_FALSE(pdf.empty());
    const auto pages = deck::pdfWords(pdf);
    ASSERT_EQ(pages.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& words = pages[i];
        ASSERT_FALSE(words.empty());
        double top = 1e9, bottom = -1e9, right = -1e9;
        for (const auto& w : words) {
            if (w.yMin > 480) continue;  // nothing but the body on these slides
            const LineBox line = lineBoxOf(w);
            top = std::min(top, line.top);
            bottom = std::max(bottom, line.bottom);
            right = std::max(right, w.xMax);
        }
        const double rendered = bottom - top;
        EXPECT_NEAR(heights[i], rendered, rendered * 0.05) << cases[i].name;
        std::cout << cases[i].name << ": BoundHeight " << heights[i] << ", LibreOffice " << rendered << "\n";
        if (cases[i].wrap && heights[i] < 420) {
            EXPECT_LE(bottom, 55 + 420 + 0.5) << cases[i].name;
            EXPECT_LE(right, 75 + 600 + 0.5) << cases[i].name;
        }
    }
}

}  // namespace
}  // namespace ppttest
