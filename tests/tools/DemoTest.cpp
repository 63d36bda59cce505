// ./demo.sh on this build with a new registry: it writes the example deck and
// reports it (what the deck holds is checked part by part in tests/golden).
#include <gtest/gtest.h>

#include <regex>

#include "common/PackageCheck.h"
#include "common/TestEnv.h"

namespace {

TEST(Demo, GeneratesTheQuarterlyReportAndSaysHowManySlidesItHas)
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
}

}  // namespace
