// Golden parts: decks the orvel program writes from representative scripts
// (the bundled example, and features.orvel with every feature of a deck),
// compared part by part with the expected parts under tests/golden/<deck>/.
// XML parts are compared indented, one element a line; other parts by name
// and, for pictures, size. Timestamps, today's date and this machine's
// folders are normalised away.
//
// After an intended change of the output, write the new expected parts with
//   ORVEL_UPDATE_GOLDEN=1 build/bin/golden_tests
// and review them with `git diff tests/golden`.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

#include <pugixml.hpp>

#include "common/PackageCheck.h"
#include "common/PackageReader.h"
#include "common/TestEnv.h"

namespace fs = std::filesystem;

namespace {

const fs::path goldenDir = fs::path(ORVEL_SOURCE_DIR) / "tests/golden";

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
}

// One element a line, then what changes from run to run written as <...>.
std::string normalised(const std::string& xml, const fs::path& runDir)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata_single)) return xml;
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_indent);
    std::string text = out.str();
    replaceAll(text, runDir.string(), "<run>");
    replaceAll(text, ORVEL_BINARY_DIR, "<build>");
    replaceAll(text, ORVEL_SOURCE_DIR, "<source>");
    text = std::regex_replace(text, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)"), "<timestamp>");
    return std::regex_replace(text, std::regex(R"(\b\d{1,2}[./]\d{1,2}[./]\d{4}\b)"), "<date>");
}

bool isXml(const std::string& part)
{
    return part.ends_with(".xml") || part.ends_with(".rels");
}

// Compares (or with ORVEL_UPDATE_GOLDEN=1 writes) every part of the deck.
void expectGoldenParts(const fs::path& deck, const std::string& name, const fs::path& runDir)
{
    auto check = testenv::validatePackage(deck);
    EXPECT_EQ(check.status, 0) << check.output;
    const fs::path expectedDir = goldenDir / name;
    std::map<std::string, std::string> actual;
    std::string listing;
    for (const auto& [part, bytes] : pptx::readZip(deck)) {
        if (isXml(part)) actual[part] = normalised(bytes, runDir);
        // Embedded documents carry their own dates: only their name counts.
        listing += part + (part.starts_with("ppt/media/") ? " " + std::to_string(bytes.size()) : "") + "\n";
    }
    ASSERT_FALSE(listing.empty()) << "cannot read " << deck;
    actual["parts.txt"] = listing;
    // Parts no longer written go first when the expected parts are rewritten.
    if (const char* update = std::getenv("ORVEL_UPDATE_GOLDEN"); update && std::string(update) == "1")
        fs::remove_all(expectedDir);
    for (const auto& [part, text] : actual) {
        SCOPED_TRACE(name + ": " + part);
        testenv::expectRecorded(text, expectedDir / part);
    }
    for (const auto& entry : fs::recursive_directory_iterator(expectedDir)) {
        std::string part = fs::relative(entry.path(), expectedDir).generic_string();
        if (entry.is_regular_file() && !actual.count(part)) ADD_FAILURE() << name << ": " << part << " was not written";
    }
}

class Golden : public ::testing::Test {
protected:
    // Runs `orvel run SCRIPT` in the test's folder.
    void run(const fs::path& script)
    {
        auto result = testenv::runCommand("cd " + testenv::shellQuote(dir.path().string()) + " && " +
                                          testenv::shellQuote(std::string(ORVEL_BIN_DIR) + "/orvel") +
                                          " run --set PowerPoint/ClosePauseMs=0 " + testenv::shellQuote(script.string()));
        ASSERT_EQ(result.status, 0) << result.output;
    }

    testenv::ScopedRegistry registry;
    testenv::TempDir home;
    testenv::ScopedEnv homeEnv{"HOME", home.path().string()};
    testenv::TempDir dir;
};

TEST_F(Golden, QuarterlyReportExample)
{
    const fs::path examples = fs::path(ORVEL_BINARY_DIR) / "examples";
    run(examples / "appendix.orvel");
    run(examples / "quarterly-report.orvel");
    // The appendix is a 97-2003 deck (its name says .ppt): the report embeds it.
    const auto appendix = testenv::validatePpt(examples / "appendix.ppt");
    EXPECT_EQ(appendix.status, 0) << appendix.output;
    expectGoldenParts(dir / "quarterly-report.pptx", "quarterly-report", dir.path());
    // The table's temporary document does not stay behind.
    EXPECT_FALSE(fs::exists(dir / "abctabxyz.doc"));
}

TEST_F(Golden, EveryFeature)
{
    fs::copy_file(fs::path(ORVEL_SOURCE_DIR) / "examples/chart.gif", dir / "chart.gif");
    testenv::writeFile(dir / "notes.txt", "First line of a text file\nand its second line\n");
    run(goldenDir / "features.orvel");
    expectGoldenParts(dir / "features.pptx", "features", dir.path());
}

}  // namespace
