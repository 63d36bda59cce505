// `orvel settings` on a real (virtual) display: the property frame is driven
// with the keyboard through xdotool, screenshots are kept for a human look.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "TemplateSetting.h"

namespace uitest {
namespace {

using namespace std::chrono_literals;
using testenv::runCommand;
using testenv::shellQuote;

class DesktopPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display.ready()) GTEST_SKIP() << "Xvfb could not start";
        // No session bus here: GTK keeps its settings in memory and looks
        // for no accessibility bus.
        for (auto [name, value] : {std::pair{"DISPLAY", display.name()}, std::pair{"GSETTINGS_BACKEND", std::string("memory")},
                                   std::pair{"NO_AT_BRIDGE", std::string("1")}})
            environment.push_back(std::make_unique<testenv::ScopedEnv>(name, value));
        std::filesystem::create_directories(screenshots);
    }

    std::unique_ptr<ChildProcess> startSettings()
    {
        return std::make_unique<ChildProcess>(std::vector<std::string>{ORVEL_BIN_DIR "/orvel", "settings"},
                                              folder / "orvel.out");
    }
    // xdotool with a timeout; the output (a window id for searches), or "" on failure.
    std::string xdotool(const std::string& arguments)
    {
        auto result = runCommand("timeout 20 xdotool " + arguments);
        if (result.status != 0) return {};
        std::string out = result.output;
        while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
        if (auto newline = out.rfind('\n'); newline != std::string::npos) out = out.substr(newline + 1);
        return out;
    }
    std::string waitForWindow(const std::string& title)
    {
        return xdotool("search --sync --onlyvisible --name " + shellQuote("^" + title + "$"));
    }
    void screenshot(const std::string& name)
    {
        auto result = runCommand("import -window root " + shellQuote((screenshots / name).string()));
        EXPECT_EQ(result.status, 0) << result.output;
    }
    bool waitForStored(const std::string& expected)
    {
        for (auto end = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < end;
             std::this_thread::sleep_for(50ms))
            if (storedTemplate() == expected) return true;
        return false;
    }
    // Keystrokes as the user's, into the window given the focus first.
    void keys(const std::string& window, const std::string& keys)
    {
        xdotool("windowfocus --sync " + window + " key --delay 50 " + keys);
        std::this_thread::sleep_for(200ms);
    }
    // Tab from the frame's tabs into the page's edit box (its first focus
    // shows the stored name), or stay in it, then replace the text.
    void typeIntoBox(const std::string& window, const std::string& text, bool tabIn = true)
    {
        keys(window, tabIn ? "Tab ctrl+a" : "ctrl+a");
        xdotool("windowfocus --sync " + window + " type --delay 15 " + shellQuote(text));
        std::this_thread::sleep_for(300ms);
    }
    std::string output() { return testenv::readFile(folder / "orvel.out"); }

    testenv::ScopedRegistry registry;
    testenv::TempDir folder;
    VirtualDisplay display;
    std::vector<std::unique_ptr<testenv::ScopedEnv>> environment;
    std::filesystem::path screenshots = std::filesystem::path(ORVEL_BINARY_DIR) / "tests/ui/screenshots";
};

// A missing file is refused with the message box and the frame stays open
// for a correction; a file that exists is stored by Apply.
TEST_F(DesktopPageTest, ApplyRefusesAMissingPathThenStoresACorrectedOne)
{
    auto old = folder / "old.pot";
    auto chosen = folder / "chosen.pot";
    testenv::writeFile(old, "old");
    testenv::writeFile(chosen, "new");
    storeTemplate(old.string());

    auto orvel = startSettings();
    std::string frame = waitForWindow("Orvel Properties");
    ASSERT_FALSE(frame.empty()) << output();
    screenshot("page-opened.png");
    typeIntoBox(frame, (folder / "missing.pot").string());
    keys(frame, "alt+a");

    std::string message = waitForWindow("Invalid Value");
    ASSERT_FALSE(message.empty()) << "no message box\n" << output();
    std::this_thread::sleep_for(500ms);  // let it draw
    screenshot("message-box.png");
    EXPECT_EQ(storedTemplate(), old.string());

    keys(message, "Return");
    for (int i = 0; i < 50 && !xdotool("search --onlyvisible --name '^Invalid Value$'").empty(); ++i)
        std::this_thread::sleep_for(100ms);
    EXPECT_EQ(xdotool("search --onlyvisible --name '^Invalid Value$'"), "");
    ASSERT_TRUE(orvel->running()) << "the frame stays open for a correction";

    typeIntoBox(frame, chosen.string(), false);  // the box has the focus back
    screenshot("page-typed.png");
    EXPECT_EQ(storedTemplate(), old.string()) << "nothing is stored before Apply";
    keys(frame, "alt+a");
    EXPECT_TRUE(waitForStored(chosen.string())) << storedTemplate();
    screenshot("page-applied.png");

    keys(frame, "Escape");
    EXPECT_EQ(orvel->waitExit(10s), std::optional<int>(0)) << output();
}

}  // namespace
}  // namespace uitest
