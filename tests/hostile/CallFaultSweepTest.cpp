// One representative run with the k-th PowerPoint call failing, for every k
// the run has: the Orvel object comes from the registered module, finds this
// process's PowerPoint stand-in as the running application, and the calls
// are made as `orvel run` makes them (stop at the first failure, then keep
// what was written aside with setOption("incomplete") and close).
#include <gtest/gtest.h>

#include <set>

#include "ScriptCall.h"
#include "ScriptRun.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "com/ErrorInfo.h"
#include "common/Modules.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"

namespace {

namespace fs = std::filesystem;
using namespace hostile;

// representative.orvel, its <dir> the folder given.
std::string representativeScript(const fs::path& dir)
{
    std::string script = testenv::readFile(fs::path(ORVEL_SOURCE_DIR) / "tests/hostile/representative.orvel");
    for (std::size_t at; (at = script.find("<dir>")) != std::string::npos;) script.replace(at, 5, dir.string());
    return script;
}

struct Outcome {
    bool ok = true;
    std::vector<std::string> failures;  // every failure the run reported
    std::string failedCall;
    bool notedAside = false;  // close named where the incomplete presentation went
};

// The calls as `orvel run` makes them.
Outcome runAsOrvelRunDoes(IDocument& document, const std::vector<orvel_script::Statement>& statements)
{
    Outcome outcome;
    auto attempt = [&](auto&& call, const std::string& name) {
        com::takeErrorInfo();
        try {
            HRESULT hr = call();
            if (SUCCEEDED(hr)) return true;
            outcome.failures.push_back(name + ": " + ComError(hr, com::takeErrorInfo()).what());
        } catch (const std::exception& e) {
            // The object's own words come as the thread's error info, as `orvel run` prints them.
            outcome.failures.push_back(name + ": " + e.what() + "\n" + com::takeErrorInfo());
        }
        return false;
    };
    for (const orvel_script::Statement& s : statements) {
        if (attempt([&] { return orvel_script::call(document, s); }, orvel_script::format(s))) continue;
        outcome.ok = false;
        outcome.failedCall = s.method->name;
        com::BStr option("incomplete"), value("");
        attempt([&] { return document.setOption(option.get(), value.get()); }, "setOption(incomplete)");
        attempt([&] { return document.close(); }, "close(incomplete)");
        // close says where the incomplete presentation went: a note, not a second error
        outcome.notedAside = std::erase_if(outcome.failures, [](const std::string& f) {
            return contains(f, "The presentation is incomplete: it was saved as");
        }) > 0;
        break;
    }
    return outcome;
}

int countOf(const std::string& text, const std::string& part)
{
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class CallFaultSweep : public ::testing::Test, public ScriptRun {};

TEST_F(CallFaultSweep, EveryFailingPowerPointCallIsOneClearErrorAndCostsNothing)
{
    std::string error;
    for (const char* module : {"liborvelcom.so", "libpowerpoint.so", "liborvelword.so"})
        ASSERT_TRUE(testenv::registerModule(module, &error)) << error;
    testenv::writeFile(dir / "pic.gif", tinyGif());
    const auto parsed = orvel_script::parse(representativeScript(dir.path()));
    ASSERT_TRUE(parsed.ok());
    const fs::path deck = dir / "deck.pptx", incomplete = dir / "deck-incomplete.pptx", log = dir / "run.log";

    // k = 0: the run without a fault, which counts the calls and leaves the deck later runs must keep.
    long calls = 0;
    std::string oldDeck;
    bool asideChecked = false;  // an incomplete presentation kept aside is a whole package too
    for (long k = 0; k == 0 || k <= calls; ++k) {
        SCOPED_TRACE("PowerPoint call " + std::to_string(k) + " of " + std::to_string(calls) + " fails");
        fs::remove(incomplete);
        fs::remove(log);
        Outcome outcome;
        {
            ComPtr<PowerPoint::_Application> running = ppt::makeApplication();  // the one the object finds
            ppt::injectCallFault(k);
            ComPtr<IDocument> document = com::createInstance<IDocument>("Orvel.Orvel");
            ASSERT_TRUE(document);
            outcome = runAsOrvelRunDoes(*document.get(), parsed.statements);
            document = nullptr;
            if (k == 0) calls = ppt::memberCallsMade();
            ppt::injectCallFault(0);
            try {
                running->Quit();  // the object quit it already unless the fault hit there
            } catch (const ComError&) {
            }
        }
        EXPECT_EQ(ppt::engineModuleLock().count(), 0) << "PowerPoint objects left alive";
        EXPECT_EQ(hiddenFiles(dir.path()), std::vector<std::string>{});
        const std::string logText = testenv::readFile(log);
        if (k == 0) {
            ASSERT_TRUE(outcome.ok) << outcome.failures.front();
            ASSERT_GT(calls, 0);
            oldDeck = testenv::readFile(deck);
            EXPECT_EQ(testenv::validatePackage(deck).status, 0) << testenv::validatePackage(deck).output;
            continue;
        }
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.failures.size(), 1u) << ::testing::PrintToString(outcome.failures);
        EXPECT_TRUE(!outcome.failures.empty() && contains(outcome.failures[0], "fault injected by a test"))
            << ::testing::PrintToString(outcome.failures);
        EXPECT_LE(countOf(logText, "\nERR "), 1) << logText;
        // A create that fails leaves its added presentation open, empty; stop
        // saves it as an untitled deck under a new name, never over a file.
        fs::remove_all(dir / "home");
        fs::create_directories(dir / "home");
        // A deck is replaced only by a whole one, once close has written it.
        const std::string now = testenv::readFile(deck);
        if (now != oldDeck) {
            EXPECT_TRUE(outcome.failedCall == "close" || outcome.failedCall == "stop") << outcome.failedCall;
            EXPECT_FALSE(regtest::readParts(deck).empty());
            oldDeck = now;
        }
        std::set<std::string> left;
        for (const auto& entry : fs::directory_iterator(dir.path())) left.insert(entry.path().filename().string());
        if (left.erase("deck-incomplete.pptx")) {
            EXPECT_TRUE(outcome.notedAside);
            if (!std::exchange(asideChecked, true)) {
                EXPECT_EQ(testenv::validatePackage(incomplete).status, 0) << testenv::validatePackage(incomplete).output;
            }
        }
        EXPECT_EQ(left, (std::set<std::string>{"deck.pptx", "home", "pic.gif", "run.log"}));
    }
    EXPECT_TRUE(asideChecked);
    std::printf("%ld PowerPoint call fault points\n", calls);
}

}  // namespace
