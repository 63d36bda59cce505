// For client programs: the installed tree, found through pkg-config, builds
// the example client, whose deck the installed modules write.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"

namespace {

using testenv::shellQuote;

TEST(Install, AClientBuiltAgainstTheInstalledTreeWritesADeck)
{
    testenv::TempDir prefix, work;
    testenv::ScopedRegistry scopedRegistry;
    auto install = testenv::runCommand(shellQuote(ORVEL_CMAKE_COMMAND) + " --install " + shellQuote(ORVEL_BINARY_DIR) +
                                       " --prefix " + shellQuote(prefix.path().string()));
    ASSERT_EQ(install.status, 0) << install.output;
    for (const char* file : {"bin/orvel", "lib/liborvelcom.so", "lib/libpowerpoint.so", "lib/liborvelword.so",
                             "lib/libkestcom.so", "lib/pkgconfig/orvel.pc", "include/orvel/com/ComRuntime.h",
                             "include/orvel/document/IDocument.h", "include/orvel/support/KestException.h",
                             "share/orvel/examples/client.cpp", "share/orvel/Templates", "share/orvel/pix"})
        EXPECT_TRUE(std::filesystem::exists(prefix / file)) << file;

    std::string pkgConfig = "PKG_CONFIG_PATH=" + shellQuote((prefix / "lib" / "pkgconfig").string()) + " pkg-config";
    auto build = testenv::runCommand(shellQuote(ORVEL_CXX_COMPILER) + " " ORVEL_CLIENT_FLAGS " " +
                                     shellQuote((prefix / "share/orvel/examples/client.cpp").string()) + " $(" +
                                     pkgConfig + " --cflags --libs orvel) -o " + shellQuote((work / "client").string()));
    ASSERT_EQ(build.status, 0) << build.output;

    // Not registered yet: the client says so.
    std::string client = "cd " + shellQuote(work.path().string()) + " && " + clitest::leakSuppressions() +
                         " ./client deck.pptx";
    auto unregistered = testenv::runCommand(client);
    EXPECT_EQ(unregistered.status, 1);
    EXPECT_NE(unregistered.output.find("orvel register"), std::string::npos) << unregistered.output;

    auto reg = testenv::runCommand(clitest::leakSuppressions() + " " + shellQuote((prefix / "bin/orvel").string()) +
                                   " register");
    ASSERT_EQ(reg.status, 0) << reg.output;
    // The installed modules are the registered ones.
    EXPECT_NE(reg.output.find("registered " + (prefix / "lib/liborvelcom.so").string()), std::string::npos)
        << reg.output;
    // And the installed share/orvel is the install directory.
    EXPECT_NE(reg.output.find("Settings/InstallDir set to " + std::filesystem::canonical(prefix / "share/orvel").string()),
              std::string::npos)
        << reg.output;
    auto run = testenv::runCommand(client);
    ASSERT_EQ(run.status, 0) << run.output;
    auto valid = testenv::validatePackage(work / "deck.pptx");
    EXPECT_EQ(valid.status, 0) << valid.output;
}

}  // namespace
