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

// Words of the rendered PDF, by text (the first occurrence of each).
std::map<std::string, WordBox> renderedWords(const Preview& preview, const testenv::TempDir& dir, const std::string& name)
{
    testenv::writeFile(dir / (name + ".emf"), asString(preview.emf));
    std::filesystem::path pdf = testenv::convertToPdf(dir / (name + ".emf"), dir / "out");
    EXPECT_FALSE(pdf.empty()) << "LibreOffice did not convert " << name;
    std::map<std::string, WordBox> words;
    if (pdf.empty()) return words;
    std::string xml = testenv::pdfWordBoxes(pdf);
    std::regex word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (std::sregex_iterator it(xml.begin(), xml.end(), word), end; it != end; ++it)
        words.emplace((*it)[5], WordBox{std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4])});
    return words;
}

}  // namespace

TEST(PreviewRender, TableCellsAppearInTheirRowsAndColumns)
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
    testenv::TempDir dir;
    Preview preview = drawTablePreview(table);
    auto words = renderedWords(preview, dir, "table");
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) {
            std::string text = "r" + std::to_string(r) + "c" + std::to_string(c);
            ASSERT_TRUE(words.count(text)) << text << " not rendered";
        }
    // Same row: same baseline region; next column: further right; next row: lower.
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c + 1 < 4; ++c) {
            const WordBox& a = words["r" + std::to_string(r) + "c" + std::to_string(c)];
            const WordBox& b = words["r" + std::to_string(r) + "c" + std::to_string(c + 1)];
            EXPECT_LT(a.xMax, b.xMin);
            EXPECT_NEAR(a.yMax, b.yMax, 1.0);
        }
    for (int r = 0; r + 1 < 3; ++r) EXPECT_LT(words["r" + std::to_string(r) + "c0"].yMax, words["r" + std::to_string(r + 1) + "c0"].yMin);
    // Cell text starts at the cell's left margin: columns are 90 pt apart at the start.
    EXPECT_NEAR(words["r0c2"].xMin - words["r0c0"].xMin, 210, 2.0);
    // Sizes: row 2 text (14 pt) is taller than row 0 text (10 pt).
    EXPECT_GT(words["r2c0"].yMax - words["r2c0"].yMin, 1.2 * (words["r0c0"].yMax - words["r0c0"].yMin));
}

TEST(PreviewRender, PresentationAndFileLabelsShowTheirTexts)
{
    testenv::TempDir dir;
    PptxDeck deck = readPresentation(std::filesystem::path(ORVEL_SHARED_DIR) / "ooxml/samples/lo-deck.pptx", "lo-deck.pptx");
    auto deckWords = renderedWords(drawPresentationPreview(deck), dir, "deck");
    EXPECT_TRUE(deckWords.count("Validation"));
    EXPECT_TRUE(deckWords.count("LibreOffice"));
    EXPECT_LT(deckWords["Validation"].yMax, deckWords["LibreOffice"].yMin);  // top to bottom

    auto fileWords = renderedWords(drawFilePreview("/data/quarterly-report.csv"), dir, "file");
    EXPECT_TRUE(fileWords.count("quarterly-report.csv"));
}
