// Smaller promises: relative names after showLast, special save targets (a killed save: WriteFaultSweepTest).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ScriptRun.h"
#include "registry/Registry.h"

namespace {

namespace fs = std::filesystem;
using namespace hostile;

class SaveTargets : public ::testing::Test, public ScriptRun {
protected:
    clitest::Run deckAs(const std::string& name)
    {
        return run("orvel->start();\norvel->create(\"" + name + "\");\norvel->insertText(\"Hello\");\n"
                   "orvel->close();\norvel->stop();\n");
    }
};

// A target that is neither a regular file nor absent is refused and stays
// what it was; a symbolic link is saved through; a name without a file part
// is refused instead of writing a hidden ".ppt".
TEST_F(SaveTargets, SpecialFilesLinksAndNamesWithoutAFile)
{
    ASSERT_EQ(::mkfifo((dir / "fifo.pptx").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", dir / "null.pptx");
    for (const char* special : {"fifo.pptx", "null.pptx"}) {
        auto r = deckAs(special);
        EXPECT_EQ(r.status, 1) << special;
        EXPECT_TRUE(contains(r.err, "not a regular file")) << r.err;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo.pptx"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    fs::create_directory(dir / "real");
    fs::create_symlink("real/deck.pptx", dir / "link.pptx");
    ASSERT_EQ(deckAs("link.pptx").status, 0);
    EXPECT_TRUE(fs::is_symlink(dir / "link.pptx"));
    EXPECT_TRUE(contains(slideText(dir / "real" / "deck.pptx"), "Hello"));

    fs::create_directory(dir / "sub");
    for (const char* noFile : {"", "sub/"}) {
        auto r = deckAs(noFile);
        EXPECT_EQ(r.status, 1) << noFile;
        EXPECT_TRUE(contains(r.err, "has no file name")) << r.err;
    }
    EXPECT_EQ(hiddenFiles(dir.path()), std::vector<std::string>{});
    EXPECT_EQ(hiddenFiles(dir / "sub"), std::vector<std::string>{});
}

// create with a relative name after showLast opened that deck: the open
// copy is closed and the deck written again.
TEST_F(SaveTargets, CreateWithARelativeNameAfterShowLast)
{
    registry::Registry::openDefault()->setValue(registry::Hive::CurrentUser, "Software\\Orvel\\PowerPoint", "Viewer",
                                               registry::Value::string(""));  // nothing is shown
    auto r = run("orvel->start();\norvel->create(\"deck.pptx\");\norvel->insertText(\"first\");\norvel->close();\n"
                 "orvel->showLast();\norvel->create(\"deck.pptx\");\norvel->insertText(\"second\");\n"
                 "orvel->close();\norvel->stop();\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(slideText(dir / "deck.pptx"), "second"));
}

}  // namespace
