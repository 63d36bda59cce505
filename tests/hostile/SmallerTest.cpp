// Smaller promises: relative names after showLast, number syntax, no temporary file left by a kill.
#include <gtest/gtest.h>

// reg add: a DWORD is digits only, no blank or sign before them.
#include "CliRunner.h"
#include "common/TestEnv.h"

namespace {

TEST(SmallerRegAdd, ADwordWithABlankOrASignIsRefused)
{
    testenv::ScopedRegistry scopedRegistry;
    testenv::TempDir dir;
    for (const char* data : {"' 12'", "+12", "'12 '", "-12", "0x+c", "' 0xc'"}) {
        auto r = clitest::orvel(std::string("reg add HKCU\\\\Orvel /v n /t REG_DWORD /d ") + data, dir.path());
        EXPECT_EQ(r.status, 2) << data;
        EXPECT_NE(r.err.find("is not a DWORD"), std::string::npos) << data << ": " << r.err;
    }
    EXPECT_NE(clitest::orvel("reg query HKCU\\\\Orvel", dir.path()).status, 0);  // nothing was written
    EXPECT_EQ(clitest::orvel("reg add HKCU\\\\Orvel /v n /t REG_DWORD /d 0xC", dir.path()).status, 0);
}

}  // namespace
