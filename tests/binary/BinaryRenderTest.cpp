// LibreOffice's pages of a .ppt against those of the .pptx of the same deck:
// the same pages, every text line and every picture in the same place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>
#include <regex>

#include "BinaryCheck.h"
#include "binary/PowerPointWriter.h"
#include "common/PackageCheck.h"
#include "objects/Objects.h"

namespace {

namespace fs = std::filesystem;
using namespace PowerPoint;

constexpr double kTolerance = 1.0;  // points

// A text line (every word on one baseline: pdftotext's own grouping of text
// that overlaps other text shifts with the kerning) or a picture.
struct Item {
    std::string text;
    double left = 0, top = 0, right = 0, bottom = 0;
};
using Pages = std::vector<std::vector<Item>>;

// Each <page> starts a page; `item` makes an Item of any other match.
Pages matches(const std::string& text, const std::regex& pattern, const std::function<Item(const std::smatch&)>& item)
{
    Pages pages;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it) {
        if (it->str().starts_with("<page")) pages.emplace_back();
        else if (!pages.empty()) pages.back().push_back(item(*it));
    }
    return pages;
}

Pages pageItems(const fs::path& pdf)
{
    static const std::regex word(R"re(<page\b|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
    static const std::regex date(R"re(\d+/\d+/\d+)re");  // each format writes today in its own short form
    Pages pages = matches(testenv::pdfWordBoxes(pdf), word, [](const std::smatch& m) {
        return Item{std::regex_replace(m.str(5), date, "<date>"), std::stod(m[1]), std::stod(m[2]), std::stod(m[3]),
                    std::stod(m[4])};
    });
    for (auto& page : pages) {
        std::sort(page.begin(), page.end(), [](const Item& a, const Item& b) { return a.left < b.left; });
        std::vector<Item> lines;
        for (const Item& w : page) {
            auto line = std::find_if(lines.begin(), lines.end(), [&](const Item& l) { return std::abs(l.top - w.top) < 0.5; });
            if (line == lines.end()) {
                lines.push_back(w);
                continue;
            }
            line->text += " " + w.text;
            line->right = std::max(line->right, w.right);
            line->bottom = std::max(line->bottom, w.bottom);
        }
        std::sort(lines.begin(), lines.end(), [](const Item& a, const Item& b) { return a.top < b.top; });
        page = std::move(lines);
    }
    // Pictures as pdftohtml places them, at three pixels a point.
    testenv::TempDir html;
    testenv::runCommand("pdftohtml -q -xml -zoom 3 " + testenv::shellQuote(pdf.string()) + " " +
                        testenv::shellQuote((html / "p").string()));
    static const std::regex image(R"re(<page\b|<image top="(-?\d+)" left="(-?\d+)" width="(\d+)" height="(\d+)")re");
    const Pages pictures = matches(testenv::readFile(html / "p.xml"), image, [](const std::smatch& m) {
        const double top = std::stod(m[1]) / 3, left = std::stod(m[2]) / 3;
        return Item{"picture", left, top, left + std::stod(m[3]) / 3, top + std::stod(m[4]) / 3};
    });
    for (std::size_t page = 0; page < std::min(pages.size(), pictures.size()); ++page)
        pages[page].insert(pages[page].end(), pictures[page].begin(), pictures[page].end());
    return pages;
}

// The pages of the .ppt (`actual`) against those of the .pptx. LibreOffice
// kerns letter pairs in .pptx text and never in .ppt text, so a text line's
// right end is compared only where `kerned` says the .ppt was shown kerned too.
void expectSamePages(const std::string& deck, const fs::path& expectedPdf, const fs::path& actualPdf, bool kerned)
{
    ASSERT_FALSE(expectedPdf.empty() || actualPdf.empty()) << deck;
    const Pages expected = pageItems(expectedPdf), actual = pageItems(actualPdf);
    ASSERT_EQ(actual.size(), expected.size()) << deck;
    double left = 0, top = 0, right = 0, bottom = 0;
    for (std::size_t page = 0; page < expected.size(); ++page) {
        const std::string where = deck + " page " + std::to_string(page + 1);
        ASSERT_EQ(actual[page].size(), expected[page].size()) << where;
        for (std::size_t i = 0; i < expected[page].size(); ++i) {
            const Item &want = expected[page][i], &got = actual[page][i];
            EXPECT_EQ(got.text, want.text) << where;
            left = std::max(left, std::abs(got.left - want.left));
            top = std::max(top, std::abs(got.top - want.top));
            bottom = std::max(bottom, std::abs(got.bottom - want.bottom));
            EXPECT_NEAR(got.left, want.left, kTolerance) << where << ": " << want.text;
            EXPECT_NEAR(got.top, want.top, kTolerance) << where << ": " << want.text;
            EXPECT_NEAR(got.bottom, want.bottom, kTolerance) << where << ": " << want.text;
            right = std::max(right, std::abs(got.right - want.right));
            if (kerned || want.text == "picture") {
                EXPECT_NEAR(got.right, want.right, kTolerance) << where << ": " << want.text;
            }
        }
    }
    std::cout << "[ farthest ] " << deck << (kerned ? " kerned" : " direct") << ": left " << left << ", top " << top
              << ", right " << right << ", bottom " << bottom << " pt\n";
}

// The .ppt files as LibreOffice shows them with its kerning on: each is
// converted to ODF, kerning is set in every text style (kern_odf.py) and the
// result converted to PDF.
std::vector<fs::path> kernedPdfs(const std::vector<fs::path>& ppts, const fs::path& dir)
{
    const auto odps = testenv::convertWithLibreOffice(ppts, "odp", dir / "odp");
    fs::create_directories(dir / "kerned");
    std::string command = "python3 " + testenv::shellQuote(ORVEL_SOURCE_DIR "/tests/binary/kern_odf.py") + " " +
                          testenv::shellQuote((dir / "kerned").string());
    std::vector<fs::path> kerned;
    for (const auto& odp : odps) {
        command += " " + testenv::shellQuote(odp.string());
        kerned.push_back(dir / "kerned" / odp.filename());
    }
    const auto result = testenv::runCommand(command);
    EXPECT_EQ(result.status, 0) << result.output;
    return testenv::convertWithLibreOffice(kerned, "pdf", dir / "kerned-pdf");
}

class BinaryRenderTest : public ppttest::PptTest {
protected:
    // Runs `orvel run SCRIPT` in the test's folder and opens the deck it wrote.
    ComPtr<_Presentation> run(const fs::path& script, const std::string& deck = {})
    {
        const auto result = testenv::runCommand("cd " + testenv::shellQuote(dir.path().string()) + " && " +
                                                ORVEL_BIN_DIR + "/orvel run --set PowerPoint/ClosePauseMs=0 " +
                                                testenv::shellQuote(script.string()));
        EXPECT_EQ(result.status, 0) << result.output;
        if (deck.empty()) return nullptr;
        return app->GetPresentations()->Open(ppttest::u16((dir / deck).string()), msoFalse, msoFalse, msoFalse);
    }

    testenv::TempDir home;
    testenv::ScopedEnv homeEnv{"HOME", home.path().string()};
};

TEST_F(BinaryRenderTest, PptPagesMatchThePptxPages)
{
    const fs::path examples = fs::path(ORVEL_BINARY_DIR) / "examples", source = ORVEL_SOURCE_DIR;
    fs::copy_file(source / "examples/chart.gif", dir / "chart.gif");
    testenv::writeFile(dir / "notes.txt", "First line of a text file\nand its second line\n");
    run(examples / "appendix.orvel");  // the report embeds it
    binarytest::fillSampleDeck(presentation, dir.path());
    const std::vector<std::pair<std::string, ComPtr<_Presentation>>> decks = {
        {"sample", presentation},
        {"quarterly-report", run(examples / "quarterly-report.orvel", "quarterly-report.pptx")},
        {"features", run(source / "tests/golden/features.orvel", "features.pptx")},
    };
    std::vector<fs::path> files, ppts;
    for (const auto& [name, deck] : decks) {
        const fs::path pptx = dir / (name + "-ooxml.pptx"), ppt = dir / (name + "-binary.ppt");
        deck->SaveAs(ppttest::u16(pptx.string()), ppSaveAsOpenXMLPresentation, msoFalse);
        binarytest::keepForInspection(pptx);
        ppt::writePowerPointBinary(*ppt::presentationModel(deck), ppt.string());
        binarytest::expectValidPpt(ppt);
        files.insert(files.end(), {pptx, ppt});
        ppts.push_back(ppt);
    }
    const auto pdfs = testenv::convertWithLibreOffice(files, "pdf", dir / "pdf");
    const auto kerned = kernedPdfs(ppts, dir.path());
    for (std::size_t i = 0; i < decks.size(); ++i) {
        expectSamePages(decks[i].first, pdfs[2 * i], pdfs[2 * i + 1], false);
        expectSamePages(decks[i].first, pdfs[2 * i], kerned[i], true);
    }
}

}  // namespace
