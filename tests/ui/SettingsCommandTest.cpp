// `orvel settings` without a desktop: --template plays the user on the
// in-memory host, --show prints the setting; the exit status tells the outcome.
#include <gtest/gtest.h>

#include <string>

#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "TemplateSetting.h"

namespace uitest {
namespace {

using testenv::shellQuote;

testenv::CommandResult settings(const std::string& arguments)
{
    return testenv::runCommand(std::string(ORVEL_BIN_DIR "/orvel settings ") + arguments);
}

TEST(SettingsCommand, StoresShowsRefusesAndRemovesTheTemplateInTurn)
{
    testenv::ScopedRegistry registry;
    testenv::TempDir folder;
    const std::string file = (folder / "Design.pot").string(), missing = (folder / "missing.pot").string();
    testenv::writeFile(file, "template");
    struct Step {
        std::string arguments;
        int status;
        std::string output;  // the whole output (usage errors: not compared; help: tools/CliTest)
        std::string stored;  // the setting afterwards
    } steps[] = {
        {"--template " + shellQuote(file), 0, "", file},
        {"--show", 0, file + "\n", file},
        {"--template " + shellQuote(missing), 1,
         "Invalid Value: " + missing + "\nFile Not Found.\nPlease verify the correct template name was given.\n", file},
        {"--bogus", 2, "", file},
        {"--template", 2, "", file},
        {"--template a b", 2, "", file},
        {"--show extra", 2, "", file},
        {"--template ''", 0, "", ""},
        {"--show", 0, "\n", ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.arguments);
        auto result = settings(step.arguments);
        EXPECT_EQ(result.status, step.status) << result.output;
        if (step.status != 2) {
            EXPECT_EQ(result.output, step.output);
        }
        EXPECT_EQ(storedTemplate(), step.stored);
    }

    // An unwritable registry fails without a message box.
    testenv::writeFile(folder / "not-a-folder", "");
    testenv::ScopedEnv broken("ORVEL_REGISTRY", (folder / "not-a-folder" / "registry.db").string());
    auto result = settings("--template " + shellQuote(file));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("the template was not stored"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Invalid Value"), std::string::npos);
}

TEST(SettingsCommand, WithoutADisplaySaysSoInOneLine)
{
    auto result = testenv::runCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY " ORVEL_BIN_DIR "/orvel settings"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << result.output;
    EXPECT_NE(result.output.find("cannot open a display"), std::string::npos);
}

}  // namespace
}  // namespace uitest
