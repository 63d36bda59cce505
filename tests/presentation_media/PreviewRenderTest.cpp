// LibreOffice, an independent reader, renders our EMF previews with their
// texts where we put them.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "TestFiles.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "media/Preview.h"
#include "template/PptxReader.h"

using namespace pptmedia;
using namespace mediatest;

namespace {

struct WordBox {
    double xMin, yMin, xMax, yMax;
};
using Words = std::map<std::string, WordBox>;  // by text, the first occurrence of each

// The words of each preview as LibreOffice renders it, all in one conversion.
std::vector<Words> renderedWords(const std::vector<std::pair<std::string, Preview>>& previews,
                                 const testenv::TempDir& dir)
{
    std::vector<std::filesystem::path> files;
    for (const auto& [name, preview] : previews) {
        files.push_back(dir / (name + ".emf"));
        testenv::writeFile(files.back(), asString(preview.emf));
    }
    std::vector<Words> rendered;
    const std::regex word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (const auto& pdf : testenv::convertWithLibreOffice(files, "pdf", dir / "out")) {
        EXPECT_FALSE(pdf.empty()) << "LibreOffice did not convert preview " << rendered.size() + 1;
        Words& words = rendered.emplace_back();
        if (pdf.empty()) continue;
        const std::string xml = testenv::pdfWordBoxes(pdf);
        for (std::sregex_iterator it(xml.begin(), xml.end(), word), end; it != end; ++it)
            words.emplace((*it)[5], WordBox{std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                                            std::stod((*it)[4])});
    }
    return rendered;
}

DocxTable sampleTable()
{
    DocxTable table;
    table.gridColumnsPt = {90, 120, 90, 60};
    for (int r = 0; r < 3; ++r) {
        DocxRow row;
        row.heightPt = 24;
        row.heightRule = DocxHeightRule::AtLeast;
        for (int c = 0; c < 4; ++c) {
            DocxCell cell;
            DocxParagraph p;
            p.runs.push_back({"r" + std::to_string(r) + "c" + std::to_string(c), "Arial", 10.0 + 2 * r, r == 0});
            if (c == 1) p.alignment = DocxAlignment::Centre;
            cell.paragraphs.push_back(p);
            row.cells.push_back(cell);
        }
        table.rows.push_back(row);
    }
    return table;
}

}  // namespace

TEST(PreviewRender, TablePresentationAndFileLabelsShowTheirTextsInPlace)
{
    testenv::TempDir dir;
    PptxDeck deck = readPresentation(kSamples / "lo-deck.pptx", "lo-deck.pptx");
    auto rendered = renderedWords({{"table", drawTablePreview(sampleTable())},
                                   {"deck", drawPresentationPreview(deck)},
                                   {"file", drawFilePreview("/data/quarterly-report.csv")}},
                                  dir);
    ASSERT_EQ(rendered.size(), 3u);

    // The table: every cell; same row: same baseline region; next column:
    // further right; next row: lower.
    Words& words = rendered[0];
    auto cell = [&](int r, int c) -> const WordBox& { return words["r" + std::to_string(r) + "c" + std::to_string(c)]; };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) {
            std::string text = "r" + std::to_string(r) + "c" + std::to_string(c);
            ASSERT_TRUE(words.count(text)) << text << " not rendered";
        }
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c + 1 < 4; ++c) {
            EXPECT_LT(cell(r, c).xMax, cell(r, c + 1).xMin);
            EXPECT_NEAR(cell(r, c).yMax, cell(r, c + 1).yMax, 1.0);
        }
    for (int r = 0; r + 1 < 3; ++r) EXPECT_LT(cell(r, 0).yMax, cell(r + 1, 0).yMin);
    // Cell text starts at the cell's left margin: columns are 90 pt apart at the start.
    EXPECT_NEAR(cell(0, 2).xMin - cell(0, 0).xMin, 210, 2.0);
    // Sizes: row 2 text (14 pt) is taller than row 0 text (10 pt).
    EXPECT_GT(cell(2, 0).yMax - cell(2, 0).yMin, 1.2 * (cell(0, 0).yMax - cell(0, 0).yMin));

    // The presentation, top to bottom; the file's name.
    Words& deckWords = rendered[1];
    EXPECT_TRUE(deckWords.count("Validation"));
    EXPECT_TRUE(deckWords.count("LibreOffice"));
    EXPECT_LT(deckWords["Validation"].yMax, deckWords["LibreOffice"].yMin);
    EXPECT_TRUE(rendered[2].count("quarterly-report.csv"));
}
