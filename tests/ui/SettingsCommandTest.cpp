// `orvel settings` without a desktop: --template plays the user on the
// in-memory host, --show prints the setting; the exit status tells the outcome.
#include <gtest/gtest.h>

#include <string>

#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "registry/RegisterDynamic.h"

namespace uitest {
namespace {

using testenv::shellQuote;

std::string stored()
{
    return RegisterDynamic().read("PowerPoint", "PptTemplateName", RegEntry(KestString("")), false).value.str();
}

testenv::CommandResult settings(const std::string& arguments)
{
    return testenv::runCommand(std::string(ORVEL_BIN_DIR "/orvel settings ") + arguments);
}

class SettingsCommandTest : public ::testing::Test {
protected:
    testenv::ScopedRegistry registry;
    testenv::TempDir folder;
};

TEST_F(SettingsCommandTest, StoresAnExistingTemplateAndShowsIt)
{
    auto file = folder / "Design.pot";
    testenv::writeFile(file, "template");
    auto result = settings("--template " + shellQuote(file.string()));
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(stored(), file.string());

    auto shown = settings("--show");
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.output, file.string() + "\n");
}

TEST_F(SettingsCommandTest, RefusesAMissingFileWithThePagesMessage)
{
    auto old = folder / "old.pot";
    testenv::writeFile(old, "template");
    ASSERT_EQ(settings("--template " + shellQuote(old.string())).status, 0);

    std::string missing = (folder / "missing.pot").string();
    auto result = settings("--template " + shellQuote(missing));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output,
              "Invalid Value: " + missing + "\nFile Not Found.\nPlease verify the correct template name was given.\n");
    EXPECT_EQ(stored(), old.string());
}

TEST_F(SettingsCommandTest, EmptyPathRemovesTheTemplate)
{
    auto old = folder / "old.pot";
    testenv::writeFile(old, "template");
    ASSERT_EQ(settings("--template " + shellQuote(old.string())).status, 0);
    EXPECT_EQ(settings("--template ''").status, 0);
    EXPECT_EQ(stored(), "");
    EXPECT_EQ(settings("--show").output, "\n");
}

TEST_F(SettingsCommandTest, UnwritableRegistryFailsWithoutAMessageBox)
{
    auto file = folder / "Design.pot";
    testenv::writeFile(file, "template");
    testenv::writeFile(folder / "not-a-folder", "");
    testenv::ScopedEnv broken("ORVEL_REGISTRY", (folder / "not-a-folder" / "registry.db").string());
    auto result = settings("--template " + shellQuote(file.string()));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("the template was not stored"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Invalid Value"), std::string::npos);
}

TEST_F(SettingsCommandTest, UsageAndHelp)
{
    EXPECT_EQ(settings("--bogus").status, 2);
    EXPECT_EQ(settings("--template").status, 2);
    EXPECT_EQ(settings("--template a b").status, 2);
    EXPECT_EQ(settings("--show extra").status, 2);
    auto help = settings("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage: orvel settings"), std::string::npos);
}

TEST_F(SettingsCommandTest, WithoutADisplaySaysSoInOneLine)
{
    auto result = testenv::runCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY " ORVEL_BIN_DIR "/orvel settings"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << result.output;
    EXPECT_NE(result.output.find("cannot open a display"), std::string::npos);
}

}  // namespace
}  // namespace uitest
