// The settings classes: where a group/name lives, the per-object cache with
// its overrides, the uncached reader/writer, and the list of back-ends.
#include <gtest/gtest.h>

#include "common/TestEnv.h"
#include "registry/RegisterCache.h"
#include "registry/RegisterDynamic.h"
#include "registry/RegisterIt.h"
#include "registry/Registry.h"

namespace {

using registry::Hive;
using registry::Registry;
using registry::Value;
using registry::ValueType;

const RegEntry none{KestString("")};

class Settings : public testing::Test {
protected:
    testenv::ScopedRegistry scoped;
    std::shared_ptr<Registry> reg = Registry::openDefault();
};

// Group and name address Software\Orvel\<group> of the current user (the
// machine-wide flag HKEY_LOCAL_MACHINE); numbers and flags are DWORDs read back as text.
TEST_F(Settings, WhereSettingsLiveAndHowTheyAreTyped)
{
    RegisterDynamic dynamic;
    ASSERT_TRUE(dynamic.write("PowerPoint", "PptTemplateName", RegEntry(KestString("Blue.pot")), false));
    ASSERT_TRUE(dynamic.write("Close", "PauseMs", RegEntry("Close", "PauseMs", "1000", RegEntry::Number), false));
    ASSERT_TRUE(dynamic.write("Close", "Beep", RegEntry("Close", "Beep", "true", RegEntry::Flag), false));
    ASSERT_TRUE(dynamic.write("Close", "Odd", RegEntry("Close", "Odd", "a lot", RegEntry::Number), false));
    auto stored = [&](const char* key, const char* name) { return *reg->getValue(Hive::CurrentUser, key, name); };
    EXPECT_EQ(stored("Software\\Orvel\\PowerPoint", "PptTemplateName").type, ValueType::String);
    EXPECT_EQ(stored("Software\\Orvel\\PowerPoint", "PptTemplateName").text, "Blue.pot");
    EXPECT_EQ(stored("Software\\Orvel\\Close", "PauseMs").dword, 1000u);
    EXPECT_EQ(stored("Software\\Orvel\\Close", "Beep").dword, 1u);
    EXPECT_EQ(stored("Software\\Orvel\\Close", "Odd").text, "a lot");  // no number: kept as text, not lost
    EXPECT_EQ(dynamic.read("PowerPoint", "PptTemplateName", none, false).value, KestString("Blue.pot"));
    EXPECT_EQ(dynamic.read("PowerPoint", "PptTemplateName", none, true).value, KestString(""));

    RegEntry pause = dynamic.read("Close", "PauseMs", none, false);
    EXPECT_EQ(pause.value, KestString("1000"));
    EXPECT_EQ(pause.type, RegEntry::Number);
    EXPECT_EQ(pause.group, KestString("Close"));
    EXPECT_EQ(pause.name, KestString("PauseMs"));
    reg->setValue(Hive::CurrentUser, "Software\\Orvel\\Close", "Text", Value::string("0"));
    EXPECT_EQ(dynamic.read("Close", "Text", none, false).type, RegEntry::Text);
    RegEntry fallback = dynamic.read("Nothing", "Here", RegEntry("G", "N", "fallback", RegEntry::Number), false);
    EXPECT_EQ(fallback.value, KestString("fallback"));
    EXPECT_EQ(fallback.type, RegEntry::Number);
}

// A cache reads each setting once; its overrides are never written and stay with it.
TEST_F(Settings, CacheFetchesOnceAndKeepsItsOverrides)
{
    RegisterDynamic().write("PowerPoint", "PptTemplateName", RegEntry(KestString("Registry.pot")), false);
    RegisterDynamic().write("Log", "LogName", RegEntry(KestString("/tmp/first.log")), false);
    RegisterCache mine, other;
    mine.override(RegEntry("PowerPoint", "PptTemplateName", "", RegEntry::Text));
    EXPECT_EQ(mine.read("PowerPoint", "PptTemplateName", none).value, KestString(""));
    EXPECT_EQ(other.read("PowerPoint", "PptTemplateName", none).value, KestString("Registry.pot"));
    EXPECT_EQ(RegisterDynamic().read("PowerPoint", "PptTemplateName", none, false).value, KestString("Registry.pot"));
    other.override(RegEntry("PowerPoint", "PptTemplateName", "Override.pot", RegEntry::Text));  // after a read
    EXPECT_EQ(other.read("PowerPoint", "PptTemplateName", none).value, KestString("Override.pot"));
    EXPECT_EQ(mine.read("PowerPoint", "Other", RegEntry(KestString("d"))).value, KestString("d"));

    EXPECT_EQ(mine.read("Log", "LogName", none).value, KestString("/tmp/first.log"));
    EXPECT_EQ(mine.read("Settings", "InstallDir", none).value, KestString(""));
    RegisterDynamic().write("Log", "LogName", RegEntry(KestString("/tmp/second.log")), false);
    RegisterDynamic().write("Settings", "InstallDir", RegEntry(KestString("/opt/orvel")), false);
    EXPECT_EQ(mine.read("Log", "LogName", none).value, KestString("/tmp/first.log"));
    EXPECT_EQ(mine.read("Settings", "InstallDir", none).value, KestString(""));
    EXPECT_EQ(RegisterCache().read("Log", "LogName", none).value, KestString("/tmp/second.log"));
}

TEST_F(Settings, BrokenRegistryGivesDefaultsAndOneLineOnStandardError)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "bad.db", std::string(8192, 'z'));
    testenv::ScopedEnv env("ORVEL_REGISTRY", (dir / "bad.db").string());
    testing::internal::CaptureStderr();
    RegEntry first = RegisterDynamic().read("Settings", "InstallDir", RegEntry(KestString("def")), false);
    RegEntry second = RegisterDynamic().read("Settings", "InstallDir", RegEntry(KestString("def")), false);
    bool written = RegisterDynamic().write("Settings", "InstallDir", RegEntry(KestString("x")), false);
    RegEntry cached = RegisterCache().read("Settings", "InstallDir", RegEntry(KestString("def")));
    std::list<RegDoc> docs;
    bool listed = RegisterIt::readDocs(docs);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(first.value, KestString("def"));
    EXPECT_EQ(second.value, KestString("def"));
    EXPECT_EQ(cached.value, KestString("def"));
    EXPECT_FALSE(written);
    EXPECT_FALSE(listed);
    EXPECT_TRUE(docs.empty());
    EXPECT_NE(err.find("bad.db"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

// Entries are numbered keys under Documents, read in numeric order; registering a
// class again (in any letter case) replaces its entry in place.
TEST_F(Settings, BackEndListKeepsRegistrationOrder)
{
    std::list<RegDoc> docs;
    ASSERT_TRUE(RegisterIt::readDocs(docs));
    EXPECT_TRUE(docs.empty());
    ASSERT_TRUE(RegisterIt::addDoc({"Microsoft Word", "tables", "Orvel.Word", "/lib/libword.so"}));
    ASSERT_TRUE(RegisterIt::addDoc({"Microsoft PowerPoint", "slides", "{474BDD94-0170-11D3-A6BF-00104B2AEFE1}", "/lib/p.so"}));
    ASSERT_TRUE(RegisterIt::addDoc({"microsoft word", "case differs", "Other.Word", ""}));
    EXPECT_EQ(reg->getValue(Hive::CurrentUser, "Software\\Orvel\\Documents\\0002", "ClassId")->text,
              "{474BDD94-0170-11D3-A6BF-00104B2AEFE1}");
    ASSERT_TRUE(RegisterIt::addDoc({"Microsoft PowerPoint", "slides v2", "{474bdd94-0170-11d3-a6bf-00104b2aefe1}", "/x.so"}));
    auto listed = [] {
        std::list<RegDoc> docs;
        EXPECT_TRUE(RegisterIt::readDocs(docs));
        std::vector<std::string> lines;
        for (const RegDoc& d : docs)
            lines.push_back(d.name.str() + "|" + d.description.str() + "|" + d.classId.str() + "|" + d.module.str());
        return lines;
    };
    EXPECT_EQ(listed(), (std::vector<std::string>{"Microsoft Word|tables|Orvel.Word|/lib/libword.so",
                                                  "Microsoft PowerPoint|slides v2|{474bdd94-0170-11d3-a6bf-00104b2aefe1}|/x.so",
                                                  "microsoft word|case differs|Other.Word|"}));
    EXPECT_TRUE(RegisterIt::removeDoc("Orvel.Word"));
    EXPECT_FALSE(RegisterIt::removeDoc("Orvel.Word"));
    for (const char* number : {"0010", "9"})
        reg->setValue(Hive::CurrentUser, std::string("Software\\Orvel\\Documents\\") + number, "Name", Value::string(number));
    ASSERT_TRUE(RegisterIt::addDoc({"Late", "", "Late.Class", ""}));
    EXPECT_TRUE(reg->keyExists(Hive::CurrentUser, "Software\\Orvel\\Documents\\0011"));
    EXPECT_EQ(listed(), (std::vector<std::string>{"Microsoft PowerPoint|slides v2|{474bdd94-0170-11d3-a6bf-00104b2aefe1}|/x.so",
                                                  "microsoft word|case differs|Other.Word|", "9|||", "0010|||",
                                                  "Late||Late.Class|"}));
}

}  // namespace
