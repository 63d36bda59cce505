// The registrar's script language: parsing, variables and the rules for
// writing and removing keys.
#include <gtest/gtest.h>

#include "RegistryDump.h"
#include "common/TestEnv.h"
#include "registration/RegistryScript.h"

namespace {

using registration::RegistryScript;
using registration::ScriptError;
using registry::Hive;

const std::map<std::string, std::string> noVariables;

std::string parseError(const std::string& text, const std::map<std::string, std::string>& vars = noVariables)
{
    try {
        RegistryScript::parse(text, vars);
    } catch (const ScriptError& e) {
        return e.what();
    }
    return "";
}

class ScriptOnRegistry : public ::testing::Test {
protected:
    testenv::TempDir dir;
    registry::Registry reg{(dir / "registry.db").string()};
};

TEST_F(ScriptOnRegistry, WritesKeysDefaultAndNamedValuesWithQuotesAndVariables)
{
    auto script = RegistryScript::parse(
        "HKCR\n{\n"
        "  App.Name = s 'It''s %WHAT%'\n"
        "  {\n"
        "    val Count = d '42'\n"
        "    val Mask = d 0x10\n"
        "    val Percent = s '100%%'\n"
        "    'Key With Blanks'\n"
        "    {\n"
        "      Inner = s '%PATH%'\n"
        "    }\n"
        "  }\n"
        "}\n"
        "HKCU { Software { Orvel = s 'x' } }\n",
        {{"WHAT", "mine"}, {"PATH", "/lib/mod.so"}});
    script.registerIn(reg);
    EXPECT_EQ(regtest::dump(reg, Hive::ClassesRoot),
              (std::vector<std::string>{"App.Name | (default) = It's mine", "App.Name | Count = 42",
                                        "App.Name | Mask = 16", "App.Name | Percent = 100%",
                                        "App.Name\\Key With Blanks",
                                        "App.Name\\Key With Blanks\\Inner | (default) = /lib/mod.so"}));
    EXPECT_EQ(regtest::dump(reg, Hive::CurrentUser),
              (std::vector<std::string>{"Software", "Software\\Orvel | (default) = x"}));
}

TEST_F(ScriptOnRegistry, ForceRemoveNoRemoveAndPlainKeysFollowTheRegistrarsRules)
{
    const char* text =
        "HKCR\n{\n"
        "  NoRemove Shared\n  {\n"
        "    ForceRemove Mine = s 'mine'\n    {\n      Sub = s 'sub'\n    }\n"
        "    Plain = s 'plain'\n    {\n      Leaf = s 'leaf'\n    }\n"
        "    Holder\n    {\n      Inner = s 'inner'\n    }\n"
        "  }\n"
        "  Delete Obsolete\n"
        "}\n";
    auto script = RegistryScript::parse(text, noVariables);
    reg.setValue(Hive::ClassesRoot, "Shared\\Mine\\Stale", "", registry::Value::string("stale"));
    reg.setValue(Hive::ClassesRoot, "Shared\\Someone", "", registry::Value::string("theirs"));
    reg.setValue(Hive::ClassesRoot, "Obsolete\\Old", "", registry::Value::string("old"));
    script.registerIn(reg);
    // ForceRemove cleared the stale entry; Delete removed the obsolete key.
    EXPECT_EQ(regtest::dump(reg, Hive::ClassesRoot),
              (std::vector<std::string>{"Shared", "Shared\\Holder", "Shared\\Holder\\Inner | (default) = inner",
                                        "Shared\\Mine | (default) = mine", "Shared\\Mine\\Sub | (default) = sub",
                                        "Shared\\Plain | (default) = plain", "Shared\\Plain\\Leaf | (default) = leaf",
                                        "Shared\\Someone | (default) = theirs"}));

    reg.setValue(Hive::ClassesRoot, "Shared\\Plain\\Foreign", "", registry::Value::string("gone"));
    reg.setValue(Hive::ClassesRoot, "Shared\\Holder\\Foreign", "", registry::Value::string("keep"));
    script.unregisterFrom(reg);
    // A key the script gives a value goes whole; one that only holds the
    // script's keys stays while something that is not the script's is under it.
    EXPECT_EQ(regtest::dump(reg, Hive::ClassesRoot),
              (std::vector<std::string>{"Shared", "Shared\\Holder", "Shared\\Holder\\Foreign | (default) = keep",
                                        "Shared\\Someone | (default) = theirs"}));
    reg.deleteTree(Hive::ClassesRoot, "Shared\\Holder\\Foreign");
    script.unregisterFrom(reg);
    EXPECT_EQ(regtest::dump(reg, Hive::ClassesRoot),
              (std::vector<std::string>{"Shared", "Shared\\Someone | (default) = theirs"}));
}

TEST(RegistryScriptParse, MalformedScriptsAreRefusedWithTheirLine)
{
    EXPECT_EQ(parseError("HKXX { }"), "registration script, line 1: expected a root key such as HKCR, found 'HKXX'");
    EXPECT_EQ(parseError("HKCR\n{\n  Key = s 'open\n"), "registration script, line 3: unterminated quoted text");
    EXPECT_EQ(parseError("HKCR\n{\n  Key = s 'x'\n"), "registration script, line 4: missing '}'");
    EXPECT_EQ(parseError("HKCR { Key = q 'x' }"), "registration script, line 1: unsupported value type 'q' (s or d)");
    EXPECT_EQ(parseError("HKCR { Key = d 'ten' }"), "registration script, line 1: not a number: 'ten'");
    EXPECT_EQ(parseError("HKCR { Key { val = s 'x' } }"), "registration script, line 1: expected a value name after 'val'");
    EXPECT_EQ(parseError("HKCR { 'a\\b' }"),
              "registration script, line 1: a key name must be one non-empty path element: 'a\\b'");
    EXPECT_EQ(parseError("HKCR { Key = s '%NOPE%' }"), "registration script, line 1: unknown variable %NOPE%");
    EXPECT_EQ(parseError("HKCR { Key = s '50%' }"), "registration script, line 1: a '%' without its closing '%'");
    EXPECT_EQ(parseError("HKCR {\n\n  = s 'x' }"), "registration script, line 3: expected a key name");
    EXPECT_EQ(parseError(""), "");  // an empty script does nothing
}

}  // namespace
