// LibreOffice Writer reads what the Word stand-in writes: the table's cells
// appear on one page, and the page is no larger than the table needs.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "SampleTable.h"
#include "TestImages.h"
#include "com/ComString.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"

using namespace wordtest;

namespace {

// Page size in points from pdfinfo ("Page size: 612 x 792 pts").
std::pair<double, double> pageSize(const std::filesystem::path& pdf)
{
    std::string info = testenv::runCommand("pdfinfo " + testenv::shellQuote(pdf.string())).output;
    std::smatch m;
    if (!std::regex_search(info, m, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"))) return {0, 0};
    return {std::stod(m[1]), std::stod(m[2])};
}

std::string squeezed(std::string text)
{
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\n'; }), text.end());
    return text;
}

}  // namespace

// The sample table (text, tabs, line breaks, a picture) and the largest
// table the generator sizes, converted together.
TEST(WordRender, WriterShowsEachTableOnOnePage)
{
    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    testenv::writeFile(dir / "picture.png", picture("gradient-40x30.png"));
    auto sample = dir / "abctabxyz.doc";  // the name the table support uses
    ASSERT_EQ(writeSampleTable(*newDocument().get(), sample, dir / "picture.png"), S_OK);

    auto rows = dir / "rows.docx";
    auto d = newDocument();
    d->start();
    d->create(com::BStr(rows.string()).get());
    d->setOrientation(1);
    d->startTable();
    d->setTableRowHeight(20);
    d->setFontSize(16);
    for (int r = 1; r <= 22; ++r) {  // the most rows one table part holds
        d->addRow();
        for (int c = 1; c <= 3; ++c) {
            d->addCell();
            d->insertText(com::BStr("row " + std::to_string(r) + " cell " + std::to_string(c)).get());
        }
    }
    d->endTable();
    ASSERT_EQ(d->close(), S_OK);

    const auto pdfs = testenv::convertWithLibreOffice({sample, rows}, "pdf", dir / "pdf");
    const auto& pdf = pdfs[0];
    ASSERT_FALSE(pdf.empty()) << "LibreOffice could not convert " << sample;
    // Kept for people to look at: the document, the PDF and a picture of the page.
    auto out = std::filesystem::path(ORVEL_BINARY_DIR) / "test-output" / "word";
    std::filesystem::create_directories(out);
    std::filesystem::copy_file(sample, out / "sample-table.docx", std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(pdf, out / "sample-table.pdf", std::filesystem::copy_options::overwrite_existing);
    auto result = testenv::runCommand("pdftoppm -png -r 110 -singlefile " + testenv::shellQuote(pdf.string()) + " " +
                                      testenv::shellQuote((out / "sample-table").string()));
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(std::filesystem::exists(out / "sample-table.png"));

    EXPECT_EQ(testenv::pdfPageCount(pdf), 1);
    std::string text = testenv::pdfText(pdf);
    for (const auto& row : sampleTableText())
        for (const auto& cell : row) {
            std::istringstream lines(std::regex_replace(cell, std::regex("\t"), " "));
            for (std::string line; std::getline(lines, line);)  // each line of a cell on its own
                EXPECT_NE(squeezed(text).find(squeezed(line)), std::string::npos) << line << " not in:\n" << text;
        }
    auto [width, height] = pageSize(pdf);
    EXPECT_GT(width, 150.0);
    EXPECT_LT(width, 612.0);
    EXPECT_GT(height, 40.0);
    EXPECT_LT(height, 200.0);

    ASSERT_FALSE(pdfs[1].empty()) << "LibreOffice could not convert " << rows;
    EXPECT_EQ(testenv::pdfPageCount(pdfs[1]), 1);
    text = testenv::pdfText(pdfs[1]);
    EXPECT_NE(text.find("row 1 cell 1"), std::string::npos);
    EXPECT_NE(text.find("row 22 cell 3"), std::string::npos);
}
