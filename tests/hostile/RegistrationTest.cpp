// Registration is atomic and safe to run concurrently.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "CliRunner.h"
#include "Concurrent.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "registry/Registry.h"

namespace {

namespace fs = std::filesystem;
using clitest::orvel;

// One slide saying "Hello", saved as the deck given.
std::string deckScript(const std::string& deck)
{
    std::string script = clitest::smallDeck;
    return script.replace(script.find("deck.pptx"), 9, deck);
}

class Registration : public ::testing::Test {
protected:
    // A run of its own deck: true when it exits 0 with the deck written.
    ::testing::AssertionResult runWorks(const std::string& name)
    {
        testenv::writeFile(dir / (name + ".orvel"), deckScript(name + ".pptx"));
        auto r = orvel("run --set PowerPoint/ClosePauseMs=0 " + name + ".orvel", dir.path());
        if (r.status != 0 || !fs::exists(dir / (name + ".pptx")))
            return ::testing::AssertionFailure() << name << ": exit " << r.status << ": " << r.err;
        return ::testing::AssertionSuccess();
    }

    testenv::ScopedRegistry scopedRegistry;
    testenv::TempDir dir;
};

TEST_F(Registration, AKilledOrPartialRegistrationLeavesEveryLaterRunWorking)
{
    // Only some of the classes registered: a run registers the rest.
    ASSERT_EQ(orvel("register " + testenv::shellQuote(std::string(ORVEL_LIB_DIR) + "/liborvelcom.so"), dir.path()).status,
              0);
    EXPECT_TRUE(runWorks("partial"));

    const int kills = hostile::size(6, 50);
    std::mt19937 random(12);
    std::uniform_int_distribution<int> delayMs(0, 250);
    for (int k = 0; k < kills; ++k) {
        // Half of the kills hit a first registration, half a repeated one.
        testenv::ScopedEnv registryFile("ORVEL_REGISTRY", (dir / ("registry" + std::to_string(k / 2) + ".db")).string());
        int delay = delayMs(random);
        std::string kill = "cd " + testenv::shellQuote(dir.path().string()) + " && { " +
                           testenv::shellQuote(clitest::orvelProgram()) + " register >/dev/null 2>&1 & p=$!; sleep " +
                           std::to_string(delay / 1000.0) + "; kill -9 $p; wait $p; } 2>/dev/null";
        testenv::runCommand(kill);
        EXPECT_TRUE(runWorks("after-kill-" + std::to_string(k))) << "killed after " << delay << " ms";
    }
}

// Query and export walk a deep key in time proportional to its depth.
TEST_F(Registration, ADeepKeyIsQueriedAndExportedQuickly)
{
    const int depth = 3000;
    std::string key = "Deep";
    for (int i = 0; i < depth; ++i) key += "\\k";
    registry::Registry(scopedRegistry.path()).setValue(registry::Hive::CurrentUser, key, "leaf",
                                                       registry::Value::string("bottom"));
    for (const char* command : {"reg query HKCU\\\\Deep /s", "reg export HKCU\\\\Deep"}) {
        auto start = std::chrono::steady_clock::now();
        auto r = orvel(command, dir.path());
        auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("bottom"), std::string::npos) << command;
        EXPECT_LT(seconds, 10.0) << command;
    }
}

}  // namespace
