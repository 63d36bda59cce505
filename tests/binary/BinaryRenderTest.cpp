// LibreOffice's pages of a .ppt against those of the .pptx of the same deck:
// the same words at the same places (within a point or two), page by page.
#include <gtest/gtest.h>

#include <cmath>

#include "BinaryCheck.h"
#include "PdfWords.h"
#include "binary/PowerPointWriter.h"
#include "common/PackageCheck.h"
#include "objects/Objects.h"

namespace {

using namespace PowerPoint;

class BinaryRenderTest : public ppttest::PptTest {};

TEST_F(BinaryRenderTest, PptPagesMatchThePptxPages)
{
    binarytest::fillSampleDeck(presentation, dir.path());
    const auto pptx = save("ooxml.pptx");
    binarytest::keepForInspection(pptx);
    const auto ppt = dir / "binary.ppt";
    ppt::writePowerPointBinary(*ppt::presentationModel(presentation), ppt.string());
    binarytest::expectValidPpt(ppt);

    const auto pdfs = testenv::convertWithLibreOffice({pptx, ppt}, "pdf", dir / "pdf");
    ASSERT_FALSE(pdfs[0].empty());
    ASSERT_FALSE(pdfs[1].empty());
    const auto expected = deck::pdfWords(pdfs[0]);
    const auto actual = deck::pdfWords(pdfs[1]);
    ASSERT_EQ(actual.size(), expected.size());
    constexpr double kTolerance = 2.0;  // points
    for (std::size_t page = 0; page < expected.size(); ++page) {
        ASSERT_EQ(actual[page].size(), expected[page].size()) << "page " << page + 1;
        for (std::size_t i = 0; i < expected[page].size(); ++i) {
            const deck::Word& want = expected[page][i];
            const deck::Word& got = actual[page][i];
            // An automatic date is written in each format's own short form.
            if (want.text.find('/') == std::string::npos) {
                EXPECT_EQ(got.text, want.text) << "page " << page + 1;
            }
            EXPECT_LE(std::abs(got.xMin - want.xMin), kTolerance) << "page " << page + 1 << ": " << want.text;
            EXPECT_LE(std::abs(got.yMin - want.yMin), kTolerance) << "page " << page + 1 << ": " << want.text;
        }
    }
}

}  // namespace
