// The registry database: keys, typed values, transactions, bad files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sqlite3.h>

#include <functional>

#include "common/TestEnv.h"
#include "registry/Registry.h"

namespace {

using registry::Hive;
using registry::Registry;
using registry::RegistryError;
using registry::Value;
using registry::ValueType;

class RegistryDb : public testing::Test {
protected:
    testenv::TempDir dir;
    std::string file = (dir / "registry.db").string();
    Registry reg{file};
};

TEST_F(RegistryDb, KeysIgnoreCaseAndPaddingSeparatorsAndListSorted)
{
    reg.setValue(Hive::CurrentUser, "Software\\Orvel\\Settings", "InstallDir", Value::string("/opt/orvel"));
    EXPECT_TRUE(reg.keyExists(Hive::CurrentUser, "SOFTWARE\\orvel\\settings"));
    EXPECT_EQ(reg.getValue(Hive::CurrentUser, "software\\ORVEL\\Settings", "installdir")->text, "/opt/orvel");
    // Same key and value under another spelling: replaced, not duplicated.
    reg.setValue(Hive::CurrentUser, "Software\\ORVEL\\SETTINGS", "INSTALLDIR", Value::string("/usr/lib/orvel"));
    EXPECT_EQ(reg.values(Hive::CurrentUser, "Software\\Orvel\\Settings").size(), 1u);
    EXPECT_EQ(reg.subKeys(Hive::CurrentUser, "Software").size(), 1u);
    EXPECT_EQ(reg.getValue(Hive::CurrentUser, "Software\\Orvel\\Settings", "InstallDir")->text, "/usr/lib/orvel");
    EXPECT_FALSE(reg.keyExists(Hive::ClassesRoot, "Software"));  // hives are separate
    EXPECT_TRUE(reg.keyExists(Hive::LocalMachine, ""));           // the hive itself

    reg.createKey(Hive::ClassesRoot, "\\CLSID\\\\{A}\\");
    EXPECT_TRUE(reg.keyExists(Hive::ClassesRoot, "CLSID\\{A}"));
    EXPECT_EQ(reg.subKeys(Hive::ClassesRoot, "CLSID"), std::vector<std::string>{"{A}"});
    for (const char* name : {"b", "C", "a"}) reg.createKey(Hive::CurrentUser, std::string("List\\") + name);
    EXPECT_EQ(reg.subKeys(Hive::CurrentUser, "List"), (std::vector<std::string>{"a", "b", "C"}));
    EXPECT_TRUE(reg.subKeys(Hive::CurrentUser, "Missing").empty());
    EXPECT_TRUE(reg.values(Hive::CurrentUser, "Missing").empty());
    EXPECT_FALSE(reg.deleteValue(Hive::CurrentUser, "List\\a", ""));
}

// Written through one connection, read back through another.
TEST_F(RegistryDb, EveryValueTypeRoundTripsAndOtherConnectionsSeeChanges)
{
    Value multi, binary, expand;
    multi.type = ValueType::MultiString;
    multi.strings = {"one", "", "three"};
    binary.type = ValueType::Binary;
    binary.bytes = std::string("\0\x01\xFF", 3);
    expand.type = ValueType::ExpandString;
    expand.text = "%HOME%/x";
    const std::pair<const char*, Value> written[] = {{"sz", Value::string("caf\xC3\xA9 \"quoted\" \\")},
                                                     {"dword", Value::number(0xFFFFFFFFu)}, {"multi", multi},
                                                     {"binary", binary}, {"expand", expand}, {"", Value::string("")}};
    for (const auto& [name, value] : written) reg.setValue(Hive::CurrentUser, "Types", name, value);
    Registry other(file);
    for (const auto& [name, value] : written) {
        auto back = other.getValue(Hive::CurrentUser, "Types", name);
        ASSERT_TRUE(back) << name;
        EXPECT_EQ(back->type, value.type) << name;
        EXPECT_EQ(back->text, value.text) << name;
        EXPECT_EQ(back->dword, value.dword) << name;
        EXPECT_EQ(back->strings, value.strings) << name;
        EXPECT_EQ(back->bytes, value.bytes) << name;
    }
    EXPECT_FALSE(reg.getValue(Hive::CurrentUser, "Types", "missing"));
    EXPECT_FALSE(reg.getValue(Hive::CurrentUser, "NoSuchKey", ""));
    reg.setValue(Hive::CurrentUser, "Types", "sz", Value::number(7));  // a value may change its type
    EXPECT_EQ(other.getValue(Hive::CurrentUser, "Types", "sz")->type, ValueType::Dword);
    other.deleteValue(Hive::CurrentUser, "Types", "sz");
    EXPECT_FALSE(reg.getValue(Hive::CurrentUser, "Types", "sz"));
}

TEST_F(RegistryDb, DeleteTreeRemovesEverythingBelow)
{
    reg.setValue(Hive::ClassesRoot, "CLSID\\{X}\\InprocServer32", "", Value::string("/lib/x.so"));
    reg.setValue(Hive::ClassesRoot, "CLSID\\{X}\\Programmable", "", Value::string(""));
    reg.setValue(Hive::ClassesRoot, "CLSID\\{Y}", "", Value::string("y"));
    EXPECT_TRUE(reg.deleteTree(Hive::ClassesRoot, "clsid\\{x}"));
    EXPECT_FALSE(reg.keyExists(Hive::ClassesRoot, "CLSID\\{X}\\InprocServer32"));
    EXPECT_FALSE(reg.keyExists(Hive::ClassesRoot, "CLSID\\{X}"));
    EXPECT_TRUE(reg.keyExists(Hive::ClassesRoot, "CLSID\\{Y}"));
    EXPECT_FALSE(reg.deleteTree(Hive::ClassesRoot, "CLSID\\{X}"));
    // Re-creating the deleted key starts empty.
    reg.createKey(Hive::ClassesRoot, "CLSID\\{X}");
    EXPECT_TRUE(reg.values(Hive::ClassesRoot, "CLSID\\{X}").empty());
    EXPECT_TRUE(reg.subKeys(Hive::ClassesRoot, "CLSID\\{X}").empty());
}

TEST_F(RegistryDb, TransactionKeepsAllOrNothing)
{
    EXPECT_THROW(reg.transaction([&] {
        reg.setValue(Hive::CurrentUser, "Tx", "first", Value::number(1));
        reg.setValue(Hive::CurrentUser, "Tx", "second", Value::number(2));
        throw std::runtime_error("abandon");
    }),
                 std::runtime_error);
    EXPECT_FALSE(reg.keyExists(Hive::CurrentUser, "Tx"));

    reg.transaction([&] {
        reg.setValue(Hive::CurrentUser, "Tx", "first", Value::number(1));
        // A failing nested part is undone alone when the caller handles it.
        try {
            reg.transaction([&] {
                reg.setValue(Hive::CurrentUser, "Tx", "inner", Value::number(3));
                throw std::runtime_error("inner");
            });
        } catch (const std::runtime_error&) {
        }
        reg.setValue(Hive::CurrentUser, "Tx", "second", Value::number(2));
    });
    auto values = reg.values(Hive::CurrentUser, "Tx");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].first, "first");
    EXPECT_EQ(values[1].first, "second");
}

// The file follows ORVEL_REGISTRY (else XDG_DATA_HOME), also when the variable changes.
TEST(RegistryLocation, DefaultPathAndConnectionFollowTheEnvironment)
{
    testenv::ScopedRegistry first;
    auto a = Registry::openDefault();
    a->setValue(Hive::CurrentUser, "K", "v", Value::string("first"));
    EXPECT_EQ(Registry::openDefault(), a);
    {
        testenv::ScopedRegistry second;
        EXPECT_EQ(Registry::defaultPath(), second.path());
        auto b = Registry::openDefault();
        EXPECT_EQ(b->path(), second.path());
        EXPECT_FALSE(b->getValue(Hive::CurrentUser, "K", "v"));
    }
    EXPECT_EQ(Registry::openDefault()->getValue(Hive::CurrentUser, "K", "v")->text, "first");

    testenv::TempDir dir;
    testenv::ScopedEnv unset("ORVEL_REGISTRY", "");
    testenv::ScopedEnv data("XDG_DATA_HOME", (dir / "data").string());
    EXPECT_EQ(Registry::defaultPath(), (dir / "data" / "orvel" / "registry.db").string());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "data" / "orvel"));
}

// Bad files: a clear RegistryError naming the file and its cause, never a crash.
TEST(RegistryBadFile, RefusedWithAnErrorNamingTheFile)
{
    testenv::TempDir dir;
    const std::string path = (dir / "registry.db").string();
    auto newerSchema = [&] {
        { Registry reg(path); }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    };
    auto unreadable = [&] {
        { Registry reg(path); }
        chmod(path.c_str(), 0);
    };
    const std::string text = "this is a text file, not a registry\n" + std::string(5000, '#');
    struct Case {
        std::string file;
        std::function<void()> prepare;
        const char* cause;
    } cases[] = {
        {path, [&] { testenv::writeFile(path, text); }, "not a database"},
        {dir.path().string(), [] {}, "unable to open"},
        {(dir / "missing" / "registry.db").string(), [] {}, "unable to open"},
        {path, newerSchema, "schema version 99"},
        {path, unreadable, ""},
    };
    for (const Case& c : cases) {
        if (c.cause[0] == '\0' && geteuid() == 0) continue;  // permissions do not stop root
        std::filesystem::remove(path);
        c.prepare();
        try {
            Registry reg(c.file);
            reg.getValue(Hive::CurrentUser, "Software", "x");
            ADD_FAILURE() << "no error for " << c.cause;
        } catch (const RegistryError& e) {
            EXPECT_NE(std::string(e.what()).find(c.file), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.cause), std::string::npos) << e.what();
        }
        if (c.cause == std::string("not a database")) {
            EXPECT_EQ(testenv::readFile(path), text);  // left as it was
        }
        chmod(path.c_str(), 0600);
    }
}

TEST(RegistryBadFile, DamagedDatabase)
{
    testenv::TempDir dir;
    std::string path = (dir / "registry.db").string();
    {
        Registry reg(path);
        for (int i = 0; i < 200; ++i)
            reg.setValue(Hive::CurrentUser, "Key" + std::to_string(i), "v", Value::string(std::string(100, 'v')));
    }
    // Overwrite the pages after the header with noise.
    std::string bytes = testenv::readFile(path);
    ASSERT_GT(bytes.size(), 8192u);
    for (std::size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7919 % 251);
    testenv::writeFile(path, bytes);
    std::remove((path + "-wal").c_str());
    std::remove((path + "-shm").c_str());
    try {
        Registry reg(path);
        for (int i = 0; i < 200; ++i) reg.getValue(Hive::CurrentUser, "Key" + std::to_string(i), "v");
        reg.setValue(Hive::CurrentUser, "Key0", "v", Value::string("x"));
    } catch (const RegistryError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
}

}  // namespace
