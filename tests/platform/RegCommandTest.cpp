// `orvel reg`, run as users run it, against a private registry.
#include <gtest/gtest.h>

#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "registry/Registry.h"

namespace {

using registry::Hive;
using registry::Registry;
using registry::Value;

struct Result {
    int status = -1;
    std::string out, err;
};

class RegCommand : public testing::Test {
protected:
    // Standard output and error apart: the error in a file.
    Result reg(const std::vector<std::string>& args)
    {
        std::string command = testenv::shellQuote(ORVEL_PROGRAM) + " reg";
        for (const std::string& arg : args) command += " " + testenv::shellQuote(arg);
        auto run = testenv::runCommand("{ " + command + " 2>" + testenv::shellQuote((dir / "err").string()) + "; }");
        return {run.status, run.output, testenv::readFile(dir / "err")};
    }

    testenv::ScopedRegistry scoped;
    testenv::TempDir dir;
};

TEST_F(RegCommand, AddQueryAndDeleteValuesAndTrees)
{
    EXPECT_EQ(reg({"add", "HKCU\\Software\\Orvel\\Settings", "/v", "InstallDir", "/d", "/opt/orvel"}).status, 0);
    EXPECT_EQ(reg({"add", "HKEY_CURRENT_USER\\Software\\Orvel\\Close", "/v", "PauseMs", "/t", "REG_DWORD", "/d", "0x3e8"}).status, 0);
    EXPECT_EQ(reg({"add", "HKCR\\Orvel.Orvel", "/ve", "/d", "Orvel Class"}).status, 0);
    Registry db(scoped.path());
    EXPECT_EQ(db.getValue(Hive::CurrentUser, "Software\\Orvel\\Settings", "InstallDir")->text, "/opt/orvel");
    EXPECT_EQ(db.getValue(Hive::CurrentUser, "Software\\Orvel\\Close", "PauseMs")->dword, 1000u);
    EXPECT_EQ(db.getValue(Hive::ClassesRoot, "Orvel.Orvel", "")->text, "Orvel Class");

    Result q = reg({"query", "hkcu\\software\\orvel\\settings", "/v", "installdir"});
    EXPECT_EQ(q.status, 0);
    EXPECT_NE(q.out.find("HKEY_CURRENT_USER\\software\\orvel\\settings"), std::string::npos) << q.out;
    EXPECT_NE(q.out.find("    InstallDir    REG_SZ    /opt/orvel\n"), std::string::npos) << q.out;
    q = reg({"query", "HKCU\\Software\\Orvel", "/s"});
    EXPECT_EQ(q.status, 0);
    EXPECT_NE(q.out.find("PauseMs    REG_DWORD    0x3e8"), std::string::npos) << q.out;
    EXPECT_NE(q.out.find("HKEY_CURRENT_USER\\Software\\Orvel\\Settings\n"), std::string::npos) << q.out;

    const std::string key = "HKCU\\Software\\Orvel";
    EXPECT_EQ(reg({"delete", key + "\\Settings", "/v", "InstallDir", "/f"}).status, 0);
    EXPECT_EQ(reg({"delete", key + "\\Settings", "/v", "InstallDir"}).status, 1);
    EXPECT_TRUE(db.keyExists(Hive::CurrentUser, "Software\\Orvel\\Settings"));
    EXPECT_EQ(reg({"delete", key}).status, 0);
    EXPECT_FALSE(db.keyExists(Hive::CurrentUser, "Software\\Orvel"));
    Result again = reg({"delete", key});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("does not exist"), std::string::npos);
}

TEST_F(RegCommand, ExportWritesTheRegFileFormat)
{
    {
        Registry db(scoped.path());
        db.setValue(Hive::CurrentUser, "Software\\Orvel\\Settings", "InstallDir", Value::string("C:\\Orvel \"2\""));
        db.setValue(Hive::CurrentUser, "Software\\Orvel\\Settings", "", Value::string("default"));
        db.setValue(Hive::CurrentUser, "Software\\Orvel\\Close", "PauseMs", Value::number(10));
        Value bytes;
        bytes.type = registry::ValueType::Binary;
        bytes.bytes = std::string("\x01\xAB\x00", 3);
        db.setValue(Hive::CurrentUser, "Software\\Orvel\\Close", "Blob", bytes);
    }
    Result r = reg({"export", "HKCU\\Software\\Orvel"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\Orvel]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Orvel\\Close]\n"
              "\"Blob\"=hex:01,ab,00\n"
              "\"PauseMs\"=dword:0000000a\n\n"
              "[HKEY_CURRENT_USER\\Software\\Orvel\\Settings]\n"
              "@=\"default\"\n"
              "\"InstallDir\"=\"C:\\\\Orvel \\\"2\\\"\"\n\n");
    // The whole registry without a key (to a file: hostile/UserFilesTest).
    r = reg({"export"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("[HKEY_CURRENT_USER\\Software]"), std::string::npos);
}

// Usage errors exit 2, failures 1 with one line on standard error.
TEST_F(RegCommand, ErrorsAndUsage)
{
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{}, 2}, {{"frobnicate"}, 2}, {{"query", "HKEY_USERS\\x"}, 2}, {{"add", "HKCU\\x", "/t", "REG_DWORD", "/d", "many"}, 2},
        {{"add", "HKCU\\x", "/t", "REG_FANCY"}, 2}, {{"add", "HKCU\\x", "/v"}, 2}, {{"delete", "HKCU"}, 2},
        {{"query", "--help"}, 0}, {{"query", "HKCU\\Missing"}, 1},
    };
    for (const auto& [args, status] : cases) {
        Result r = reg(args);
        EXPECT_EQ(r.status, status) << (args.empty() ? "" : args[0]);
        if (status == 1) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
    }
    // A DWORD is digits only (or 0x and hex digits), no blank or sign before or after them.
    for (const char* data : {" 12", "+12", "12 ", "-12", "0x+c", " 0xc"}) {
        Result r = reg({"add", "HKCU\\Orvel", "/v", "n", "/t", "REG_DWORD", "/d", data});
        EXPECT_EQ(r.status, 2) << data;
        EXPECT_NE(r.err.find("is not a DWORD"), std::string::npos) << data << ": " << r.err;
    }
    EXPECT_FALSE(Registry(scoped.path()).keyExists(Hive::CurrentUser, "Orvel"));

    testenv::writeFile(scoped.path(), std::string(10000, '?'));
    Result r = reg({"query", "HKCU\\Software"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not a database"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

}  // namespace
