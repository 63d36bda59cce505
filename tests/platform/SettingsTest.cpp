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

TEST_F(Settings, GroupAndNameMapToTheOrvelKeyOfTheCurrentUser)
{
    ASSERT_TRUE(RegisterDynamic().write("PowerPoint", "PptTemplateName", RegEntry(KestString("Blue.pot")), false));
    auto value = reg->getValue(Hive::CurrentUser, "Software\\Orvel\\PowerPoint", "PptTemplateName");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, ValueType::String);
    EXPECT_EQ(value->text, "Blue.pot");
    EXPECT_EQ(KestString(RegisterDynamic().read("PowerPoint", "PptTemplateName", none, false)), KestString("Blue.pot"));
    // The machine-wide flag addresses HKEY_LOCAL_MACHINE instead.
    EXPECT_EQ(RegisterDynamic().read("PowerPoint", "PptTemplateName", none, true).value, KestString(""));
}

TEST_F(Settings, NumbersAndFlagsAreStoredAsDwordsAndReadAsText)
{
    RegisterDynamic dynamic;
    ASSERT_TRUE(dynamic.write("Close", "PauseMs", RegEntry("Close", "PauseMs", "1000", RegEntry::Number), false));
    ASSERT_TRUE(dynamic.write("Close", "Beep", RegEntry("Close", "Beep", "true", RegEntry::Flag), false));
    ASSERT_TRUE(dynamic.write("Close", "Odd", RegEntry("Close", "Odd", "a lot", RegEntry::Number), false));
    EXPECT_EQ(reg->getValue(Hive::CurrentUser, "Software\\Orvel\\Close", "PauseMs")->dword, 1000u);
    EXPECT_EQ(reg->getValue(Hive::CurrentUser, "Software\\Orvel\\Close", "Beep")->dword, 1u);
    // Text that is no number is kept as text rather than lost.
    EXPECT_EQ(reg->getValue(Hive::CurrentUser, "Software\\Orvel\\Close", "Odd")->text, "a lot");

    RegEntry pause = dynamic.read("Close", "PauseMs", none, false);
    EXPECT_EQ(pause.value, KestString("1000"));
    EXPECT_EQ(pause.type, RegEntry::Number);
    EXPECT_EQ(pause.group, KestString("Close"));
    EXPECT_EQ(pause.name, KestString("PauseMs"));
    reg->setValue(Hive::CurrentUser, "Software\\Orvel\\Close", "Text", Value::string("0"));
    EXPECT_EQ(dynamic.read("Close", "Text", none, false).type, RegEntry::Text);
}

TEST_F(Settings, MissingSettingsReadAsTheDefault)
{
    RegEntry fallback("G", "N", "fallback", RegEntry::Number);
    RegEntry read = RegisterDynamic().read("Nothing", "Here", fallback, false);
    EXPECT_EQ(read.value, KestString("fallback"));
    EXPECT_EQ(read.type, RegEntry::Number);
    RegisterCache cache;
    EXPECT_EQ(KestString(cache.read("Nothing", "Here", none)), KestString(""));
}

TEST_F(Settings, CacheOverridesAreNeverWrittenAndStayWithTheirCache)
{
    RegisterDynamic().write("PowerPoint", "PptTemplateName", RegEntry(KestString("Registry.pot")), false);
    RegisterCache mine, other;
    mine.override(RegEntry("PowerPoint", "PptTemplateName", "", RegEntry::Text));
    EXPECT_EQ(mine.read("PowerPoint", "PptTemplateName", none).value, KestString(""));
    EXPECT_EQ(other.read("PowerPoint", "PptTemplateName", none).value, KestString("Registry.pot"));
    EXPECT_EQ(RegisterDynamic().read("PowerPoint", "PptTemplateName", none, false).value, KestString("Registry.pot"));
    // An override made after a cached read still wins.
    other.override(RegEntry("PowerPoint", "PptTemplateName", "Override.pot", RegEntry::Text));
    EXPECT_EQ(other.read("PowerPoint", "PptTemplateName", none).value, KestString("Override.pot"));
    // Other names of the group are untouched.
    EXPECT_EQ(mine.read("PowerPoint", "Other", RegEntry(KestString("d"))).value, KestString("d"));
}

TEST_F(Settings, CacheFetchesEachSettingOnce)
{
    RegisterDynamic().write("Log", "LogName", RegEntry(KestString("/tmp/first.log")), false);
    RegisterCache cache;
    EXPECT_EQ(cache.read("Log", "LogName", none).value, KestString("/tmp/first.log"));
    EXPECT_EQ(cache.read("Settings", "InstallDir", none).value, KestString(""));
    RegisterDynamic().write("Log", "LogName", RegEntry(KestString("/tmp/second.log")), false);
    RegisterDynamic().write("Settings", "InstallDir", RegEntry(KestString("/opt/orvel")), false);
    EXPECT_EQ(cache.read("Log", "LogName", none).value, KestString("/tmp/first.log"));
    EXPECT_EQ(cache.read("Settings", "InstallDir", none).value, KestString(""));
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

TEST_F(Settings, BackEndListKeepsRegistrationOrder)
{
    std::list<RegDoc> docs;
    ASSERT_TRUE(RegisterIt::readDocs(docs));
    EXPECT_TRUE(docs.empty());

    ASSERT_TRUE(RegisterIt::addDoc({"Microsoft Word", "tables", "Orvel.Word", "/lib/libword.so"}));
    ASSERT_TRUE(RegisterIt::addDoc({"Microsoft PowerPoint", "slides", "{474BDD94-0170-11D3-A6BF-00104B2AEFE1}", "/lib/libppt.so"}));
    ASSERT_TRUE(RegisterIt::addDoc({"microsoft word", "case differs", "Other.Word", ""}));
    EXPECT_TRUE(reg->keyExists(Hive::CurrentUser, "Software\\Orvel\\Documents\\0001"));
    EXPECT_EQ(reg->getValue(Hive::CurrentUser, "Software\\Orvel\\Documents\\0002", "ClassId")->text,
              "{474BDD94-0170-11D3-A6BF-00104B2AEFE1}");

    // Registering again (by class, in any letter case) replaces in place.
    ASSERT_TRUE(RegisterIt::addDoc({"Microsoft PowerPoint", "slides v2", "{474bdd94-0170-11d3-a6bf-00104b2aefe1}", "/lib/x.so"}));
    ASSERT_TRUE(RegisterIt::readDocs(docs));
    ASSERT_EQ(docs.size(), 3u);
    auto it = docs.begin();
    EXPECT_EQ(it->name, KestString("Microsoft Word"));
    EXPECT_EQ(it->classId, KestString("Orvel.Word"));
    EXPECT_EQ(it->module, KestString("/lib/libword.so"));
    ++it;
    EXPECT_EQ(it->description, KestString("slides v2"));
    ++it;
    EXPECT_EQ(it->name, KestString("microsoft word"));

    EXPECT_TRUE(RegisterIt::removeDoc("Orvel.Word"));
    EXPECT_FALSE(RegisterIt::removeDoc("Orvel.Word"));
    ASSERT_TRUE(RegisterIt::addDoc({"Late", "", "Late.Class", ""}));
    std::list<RegDoc> after;
    ASSERT_TRUE(RegisterIt::readDocs(after));
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after.front().classId, KestString("{474bdd94-0170-11d3-a6bf-00104b2aefe1}"));
    EXPECT_EQ(after.back().classId, KestString("Late.Class"));
}

TEST_F(Settings, BackEndListOrdersNumbersNumerically)
{
    for (const char* number : {"0010", "0002", "9"})
        reg->setValue(Hive::CurrentUser, std::string("Software\\Orvel\\Documents\\") + number, "Name", Value::string(number));
    std::list<RegDoc> docs;
    ASSERT_TRUE(RegisterIt::readDocs(docs));
    std::vector<std::string> names;
    for (const RegDoc& d : docs) names.push_back(d.name.str());
    EXPECT_EQ(names, (std::vector<std::string>{"0002", "9", "0010"}));
    ASSERT_TRUE(RegisterIt::addDoc({"Next", "", "Next.Class", ""}));
    EXPECT_TRUE(reg->keyExists(Hive::CurrentUser, "Software\\Orvel\\Documents\\0011"));
}

}  // namespace
