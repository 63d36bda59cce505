// No input hangs or grows without bound: special files, endless lines, huge scripts, many links.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>

#include "ScriptRun.h"
#include "generator/TextFileReader.h"

namespace {

using testenv::shellQuote;

// AddressSanitizer reserves far more address space than any limit below.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool underAddressSanitizer = true;
#else
constexpr bool underAddressSanitizer = false;
#endif

using hostile::contains;

class BoundedInput : public ::testing::Test {
protected:
    // `orvel run` of `script` under `limits` (shell commands such as
    // "ulimit -v 300000"), stopped after 30 s: a hang shows as status 124.
    // With `piped` the script comes through a pipe on standard input.
    clitest::Run run(const std::string& script, const std::string& options = "", const std::string& limits = "true",
                     bool piped = false)
    {
        testenv::writeFile(dir / "script.orvel", script);
        clitest::Run r;
        auto result = testenv::runCommand(
            "(cd " + shellQuote(dir.path().string()) + " && " + (piped ? "cat script.orvel | " : "") + "(" + limits +
            " && " + clitest::leakSuppressions() + " exec timeout -k 5 30 " + shellQuote(clitest::orvelProgram()) +
            " run --set PowerPoint/ClosePauseMs=0 " + options + (piped ? " -" : " script.orvel") + ") 2>err)");
        r.status = result.status;
        r.out = result.output;
        r.err = testenv::readFile(dir / "err");
        return r;
    }
    std::string slide() { return regtest::readParts(dir / "deck.pptx", {"ppt/slides/slide1.xml"})["ppt/slides/slide1.xml"]; }
    void SetUp() override { ASSERT_EQ(clitest::orvel("register", dir.path()).status, 0); }

    testenv::ScopedRegistry scopedRegistry;
    testenv::TempDir dir;
};

std::string deckScript(const std::string& body)
{
    return "orvel->start();\norvel->create(\"deck.pptx\");\n" + body + "orvel->close();\norvel->stop();\n";
}

TEST_F(BoundedInput, SpecialFilesAreRefusedWithoutWaitingForThem)
{
    for (const char* name : {"pipe.gif", "pipe.txt", "pipe.ppt", "pipe.potx"})
        ASSERT_EQ(mkfifo((dir / name).c_str(), 0600), 0);
    struct Case {
        std::string body, options;
        int status;  // a text file that cannot be opened inserts nothing, silently
        std::string says;
    } cases[] = {
        {"orvel->insertImage(\"pipe.gif\",\"\");\n", "", 1, "'pipe.gif' is not a regular file"},
        {"orvel->insertFile(\"pipe.ppt\",0);\n", "", 1, "'pipe.ppt' is not a regular file"},
        {"orvel->insertText(\"before\");\norvel->insertFile(\"pipe.txt\",0);\n", "", 0, ""},
        {"", "--set PowerPoint/PptTemplateName=" + (dir / "pipe.potx").string(), 1, "Applying template"},
    };
    for (const Case& c : cases) {
        auto r = run(deckScript(c.body), c.options);
        EXPECT_EQ(r.status, c.status) << c.body << c.options << "\n" << r.err;
        EXPECT_TRUE(contains(r.err, c.says)) << r.err;
        if (c.status == 0) {
            EXPECT_TRUE(contains(slide(), "before"));
        }
    }
}

// Reads the text file in a process that may grow by 256 MB at most; exits
// with 0 when every byte arrived.
[[noreturn]] void readUnderLimit(const std::filesystem::path& file, std::uint64_t size)
{
    unsigned long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlim_t room = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (256ull << 20);
    rlimit limit{room, room};
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(3);
    TextFileReader reader(KestString(file.string()));
    std::string piece;
    bool endsLine = false;
    std::uint64_t total = 0;
    while (reader.next(piece, endsLine)) total += piece.size();
    std::_Exit(total == size && !reader.failed() ? 0 : 2);
}

TEST(BoundedTextFile, AnEndlessLineIsReadInPiecesAndAGrowingFileUpToItsSizeWhenOpened)
{
    testenv::TempDir dir;
    // One line of 512 MB (a sparse file: no disk used), read under a limit
    // of half that: only a piece at a time may be held.
    const auto huge = dir / "huge.txt";
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, 512ull << 20);
    if (!underAddressSanitizer) {
        EXPECT_EXIT(readUnderLimit(huge, 512ull << 20), ::testing::ExitedWithCode(0), "");
    }

    // What is added after the file was opened is not read: a file that
    // keeps growing cannot keep the reader going.
    const auto growing = dir / "growing.txt";
    testenv::writeFile(growing, "one\ntwo\n");
    TextFileReader reader(KestString(growing.string()));
    std::ofstream(growing, std::ios::app) << "three\n";
    std::string piece, all;
    bool endsLine = false;
    while (reader.next(piece, endsLine)) all += piece + (endsLine ? "|" : "");
    EXPECT_EQ(all, "one|two|");
    EXPECT_FALSE(reader.failed());
}

TEST_F(BoundedInput, AScriptCostsMemoryForOneStatementNotForTheWholeFile)
{
    // 32 MB of blank lines between two statements, in 200 MB of address
    // space (the program needs about 100 MB).
    std::string body = "orvel->insertText(\"first\");\n" + std::string(32u << 20, '\n') +
                       "orvel->insertEndl();\norvel->insertText(\"last\");\n";
    const std::string limit = underAddressSanitizer ? "true" : "ulimit -v 200000";
    auto named = run(deckScript(body), "", limit);
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_TRUE(contains(slide(), "first") && contains(slide(), "last"));
    // From a pipe on standard input, which cannot be read twice.
    std::filesystem::remove(dir / "deck.pptx");
    auto piped = run(deckScript(body), "", limit, true);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_TRUE(contains(slide(), "last"));
}

// After create: the deck that was there stays, and nothing is left beside it.
TEST_F(BoundedInput, RunningOutOfMemoryEndsWithAMessageNotAnAbort)
{
    if (underAddressSanitizer) GTEST_SKIP() << "no address space limit under AddressSanitizer";
    testenv::writeFile(dir / "deck.pptx", "old deck");
    // One statement larger than the memory allowed.
    auto r = run(deckScript("orvel->insertText(\"" + std::string(64u << 20, 'x') + "\");\n"), "",
                 "ulimit -v 150000");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(contains(r.err, "out of memory") || contains(r.err, "bad_alloc")) << r.err;
    EXPECT_EQ(testenv::readFile(dir / "deck.pptx"), "old deck");
    EXPECT_EQ(hostile::hiddenFiles(dir.path()), std::vector<std::string>{});
}

TEST_F(BoundedInput, ManyLinksInOneTextEachKeepTheirTarget)
{
    // Every third link repeats the target of the link before the last one:
    // it shares its relationship.
    std::string body;
    for (int i = 0; i < 300; ++i)
        body += "orvel->insertFile(\"https://example.com/" + std::to_string(i % 3 == 2 ? i - 2 : i) + "\",0);\n";
    auto r = run(deckScript(body));
    ASSERT_EQ(r.status, 0) << r.err;
    std::string rels = regtest::readParts(dir / "deck.pptx", {"ppt/slides/_rels/slide1.xml.rels"})
        ["ppt/slides/_rels/slide1.xml.rels"];
    std::map<std::string, std::string> targets;  // relationship id -> URL
    const std::regex relationship(R"re(Id="(rId\d+)"[^>]*/hyperlink" Target="([^"]*)")re");
    for (std::sregex_iterator it(rels.begin(), rels.end(), relationship), end; it != end; ++it)
        targets[(*it)[1]] = (*it)[2];
    EXPECT_EQ(targets.size(), 200u);
    std::string xml = slide();
    const std::regex linkRun(R"re(<a:hlinkClick r:id="(rId\d+)"/></a:rPr><a:t>([^<]*)</a:t>)re");
    int links = 0;
    for (std::sregex_iterator it(xml.begin(), xml.end(), linkRun), end; it != end; ++it, ++links)
        EXPECT_EQ(targets[(*it)[1]], (*it)[2]);
    EXPECT_EQ(links, 300);
}

TEST_F(BoundedInput, AVeryLongRunIsWrittenAsSeveralRunsOfTheSameFormat)
{
    // Over 10,000,000 bytes of text in one run; a character of two UTF-16
    // units (U+1F600) wherever a cut could fall.
    std::string text;
    while (text.size() < 10'500'000) text += "abc\xF0\x9F\x98\x80";
    auto r = run(deckScript("orvel->setFontAttribute(Bold,TRUE);\norvel->insertText(\"" + text + "\");\n"));
    ASSERT_EQ(r.status, 0) << r.err;
    std::string xml = slide();
    std::string joined;
    std::size_t longest = 0, runs = 0;
    const std::string open = "<a:t>", close = "</a:t>";
    for (std::size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at)) {
        at += open.size();
        std::size_t end = xml.find(close, at);
        ASSERT_NE(end, std::string::npos);
        longest = std::max(longest, end - at);
        joined.append(xml, at, end - at);
        ++runs;
    }
    EXPECT_LT(longest, 10'000'000u);
    EXPECT_GT(runs, 1u);
    EXPECT_EQ(joined, text);
    // Every piece keeps the run's format.
    const std::regex boldRun(R"re(<a:r><a:rPr [^>]*b="1")re");
    EXPECT_EQ(static_cast<std::size_t>(std::distance(std::sregex_iterator(xml.begin(), xml.end(), boldRun),
                                                     std::sregex_iterator())),
              runs);
}

}  // namespace
