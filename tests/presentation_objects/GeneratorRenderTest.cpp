// The generator's whole path, as a client drives it: the Orvel object made
// by its ProgID through the registry, PowerPoint and the Word back-end
// found there too; a deck with a picture and a table, and LibreOffice's
// rendering of it showing both. Starts LibreOffice (label render).
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "ObjectFiles.h"
#include "PageImage.h"
#include "PdfWords.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "common/Modules.h"
#include "common/PackageCheck.h"
#include "document/IDocument.h"

namespace objtest {
namespace {

// A BSTR argument for one call.
BSTR bs(const std::string& utf8, std::deque<com::BStr>& keep)
{
    keep.emplace_back(utf8);
    return keep.back().get();
}

class GeneratorRenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* module : {"liborvelcom.so", "libpowerpoint.so", "liborvelword.so"}) {
            std::string error;
            ASSERT_TRUE(testenv::registerModule(module, &error)) << module << ": " << error;
        }
        HRESULT hr = E_FAIL;
        orvel = com::createInstance<IDocument>("Orvel.Orvel", &hr);
        ASSERT_TRUE(orvel) << std::hex << hr;
    }
    void TearDown() override { orvel = nullptr; }

    void call(HRESULT hr) { ASSERT_EQ(hr, S_OK); }
    BSTR bs(const std::string& utf8) { return objtest::bs(utf8, strings); }
    void text(const std::string& t) { call(orvel->insertText(bs(t))); }

    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    ComPtr<IDocument> orvel;
    std::deque<com::BStr> strings;
};

TEST_F(GeneratorRenderTest, ADeckWithAPictureAndATableShowsBoth)
{
    const auto picture = writePng(dir.path(), "chart.png", 120, 70);
    const auto deck = dir / "report.pptx";
    call(orvel->overrideRegistry(bs("PowerPoint"), bs("ClosePauseMs"), bs("0"), 1));
    call(orvel->start());
    call(orvel->create(bs(deck.string())));
    text("Quarterly report");
    call(orvel->insertEndl());
    call(orvel->insertImage(bs(picture.string()), bs("https://example.com/chart")));
    text("Figures below");
    call(orvel->insertEndl());
    call(orvel->insertPageBreak());
    // A long third column: the table is fitted to the page, that column wraps.
    std::string description;
    for (int i = 0; i < 12; ++i) description += " with a long description";
    call(orvel->startTable());
    for (const auto& row : cellTexts(3, 4)) {
        call(orvel->addRow());
        for (const auto& cell : row) {
            call(orvel->addCell());
            text(cell == "R1C3" ? cell + description : cell);
        }
    }
    call(orvel->endTable());
    call(orvel->close());
    call(orvel->stop());

    const auto path = dir / "report.pptx";
    ASSERT_TRUE(fs::exists(path));
    expectSoundPackage(path);
    const auto pdf = testenv::convertToPdf(path, dir / "pdf");
    ASSERT_FALSE(pdf.empty());
    auto words = deck::pdfWords(pdf);
    ASSERT_FALSE(words.empty());

    // Body placement: a 600 x 350 picture at left 75, below the first line.
    const deck::Word* title = deck::findWord(words[0], "Quarterly");
    ASSERT_TRUE(title);
    PageImage page(pdf, 1, dir / "page1");
    ASSERT_TRUE(page.valid());
    const int pictureTop = static_cast<int>(title->yMax) + 4;
    EXPECT_GT(page.inkShare(80, pictureTop + 10, 590, 300), 0.9);
    EXPECT_LT(page.inkShare(20, pictureTop + 10, 40, 300), 0.05);  // left of it: paper
    // The text written next starts below the picture.
    int pictureBottom = pictureTop + 100;  // inside the picture, wherever it starts
    while (pictureBottom < 540 && page.inked(500, pictureBottom)) ++pictureBottom;
    const deck::Word* next = deck::findWord(words[0], "Figures");
    ASSERT_TRUE(next);
    EXPECT_GE(next->yMin, pictureBottom - 1) << "the picture ends at " << pictureBottom;

    // The table's cells, wherever the generator put the table.
    std::size_t found = 0;
    const deck::Word* firstCell = nullptr;
    for (const auto& pageWords : words)
        for (const auto& row : cellTexts(3, 4))
            for (const auto& cell : row)
                if (const deck::Word* w = deck::findWord(pageWords, cell)) {
                    ++found;
                    if (cell == "R1C1") firstCell = w;
                }
    EXPECT_EQ(found, 12u);
    ASSERT_TRUE(firstCell);
    EXPECT_GE(firstCell->xMin, 80 - 1);
    double right = 0;
    for (const auto& w : words[1]) right = std::max(right, w.xMax);
    EXPECT_LE(right, 720 - 7.2) << "the table fits the slide";
    if (const char* keep = std::getenv("ORVEL_KEEP_RENDERINGS"))
        for (int n = 1; n <= testenv::pdfPageCount(pdf); ++n)
            PageImage(pdf, n, fs::path(keep) / ("generator-slide" + std::to_string(n)));
}

}  // namespace
}  // namespace objtest
