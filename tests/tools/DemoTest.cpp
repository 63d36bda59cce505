// ./demo.sh on this build with a new registry: the example deck, checked by
// the validator and rendered by LibreOffice slide by slide.
#include <gtest/gtest.h>

#include <regex>

#include "common/PackageCheck.h"
#include "common/TestEnv.h"

namespace {

TEST(Demo, GeneratesTheQuarterlyReportThatLibreOfficeShowsSlideBySlide)
{
    testenv::ScopedRegistry scopedRegistry;
    testenv::TempDir dir;
    using testenv::shellQuote;
    auto demo = testenv::runCommand("cd " + shellQuote(dir.path().string()) + " && ORVEL_BUILD_DIR=" +
                                    shellQuote(ORVEL_BINARY_DIR) + " ORVEL_DEMO_NO_BUILD=1 " +
                                    shellQuote(std::string(ORVEL_SOURCE_DIR) + "/demo.sh"));
    ASSERT_EQ(demo.status, 0) << demo.output;
    auto deck = dir / "quarterly-report.pptx";
    std::smatch m;
    ASSERT_TRUE(std::regex_search(demo.output, m, std::regex(std::regex_replace(deck.string(), std::regex("[.]"), "\\.") +
                                                             ": ([0-9]+) slides")))
        << demo.output;
    int slides = std::stoi(m[1]);
    // Title, highlights, revenue, the table, the outlook over two slides, two of appendix.
    EXPECT_EQ(slides, 8);
    auto valid = testenv::validatePackage(deck);
    EXPECT_EQ(valid.status, 0) << valid.output;
    // The table's temporary document does not stay behind.
    EXPECT_FALSE(std::filesystem::exists(dir / "abctabxyz.doc"));

    auto pdf = testenv::convertToPdf(deck, dir / "pdf");
    ASSERT_FALSE(pdf.empty());
    ASSERT_EQ(testenv::pdfPageCount(pdf), slides);
    auto page = [&](int n) { return testenv::pdfText(pdf, n); };
    for (int n = 1; n <= slides; ++n) {
        // Every slide has its header with its number and its footer.
        EXPECT_NE(page(n).find("Page " + std::to_string(n)), std::string::npos) << "slide " << n << ":\n" << page(n);
        EXPECT_NE(page(n).find("Confidential"), std::string::npos) << "slide " << n;
    }
    EXPECT_NE(page(1).find("Quarterly Report Q3 2026"), std::string::npos) << page(1);
    EXPECT_NE(page(2).find("Highlights"), std::string::npos) << page(2);
    EXPECT_NE(page(2).find("investor relations site"), std::string::npos) << page(2);
    EXPECT_NE(page(2).find("Headcount stable at 42 FTE"), std::string::npos) << page(2);
    EXPECT_NE(page(3).find("Revenue per quarter"), std::string::npos) << page(3);
    EXPECT_NE(page(4).find("Results by region"), std::string::npos) << page(4);
    EXPECT_NE(page(4).find("Netherlands"), std::string::npos) << page(4);  // the table's picture shows its cells
    EXPECT_NE(page(5).find("Outlook"), std::string::npos) << page(5);
    EXPECT_NE(page(6).find("Targets."), std::string::npos) << page(6);  // the outlook flowed on
    EXPECT_NE(page(7).find("Revenue is recognised"), std::string::npos) << page(7);
    EXPECT_NE(page(8).find("ARR - annual recurring revenue"), std::string::npos) << page(8);  // the embedded deck
}

}  // namespace
