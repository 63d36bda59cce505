// File names as clients write them: both separators, drives, letter case
// that differs from the disk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/TestEnv.h"
#include "registry/RegisterDynamic.h"
#include "support/SysFile.h"

namespace {

namespace fs = std::filesystem;

KestString native(const std::string& path)
{
    return SysFile::nativePath(KestString(path));
}

// A tree with mixed-case names inside a private registry.
class Paths : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(root / "Home" / "Alice" / "Decks");
        testenv::writeFile(root / "Home" / "Alice" / "Decks" / "Report.pptx", "x");
        fs::create_directories(root / "twin");
        fs::create_directories(root / "Twin");
    }
    std::string at(const std::string& relative) const { return (root / relative).string(); }

    testenv::ScopedRegistry scoped;
    testenv::TempDir dir;
    fs::path root = dir.path();
};

TEST_F(Paths, CaseInsensitiveMatchUsesTheSpellingOnDisk)
{
    EXPECT_EQ(native(at("home/alice/decks/report.pptx")).str(), at("Home/Alice/Decks/Report.pptx"));
    EXPECT_EQ(native(at("HOME/ALICE/DECKS")).str(), at("Home/Alice/Decks"));
    EXPECT_TRUE(SysFile::exists(KestString(at("home/alice/decks/REPORT.PPTX"))));
}

TEST_F(Paths, MissingTailKeepsItsSpellingBelowTheLastMatch)
{
    // Saving a new file: the folders resolve, the new name stays as given.
    EXPECT_EQ(native(at("home/alice/decks/new deck.pptx")).str(), at("Home/Alice/Decks/new deck.pptx"));
    EXPECT_EQ(native(at("home/bob/decks/x.pptx")).str(), at("Home/bob/decks/x.pptx"));
    EXPECT_FALSE(SysFile::exists(KestString(at("home/bob/decks/x.pptx"))));
}

TEST_F(Paths, AmbiguousMatchKeepsTheOriginalSpelling)
{
    EXPECT_EQ(native(at("TWIN")).str(), at("TWIN"));
    EXPECT_EQ(native(at("twin")).str(), at("twin"));  // exact spellings win
    EXPECT_EQ(native(at("Twin")).str(), at("Twin"));
}

TEST_F(Paths, BackslashesAndDriveLetters)
{
    std::string windows = "C:" + at("home\\alice\\Decks\\report.pptx");
    for (char& c : windows)
        if (c == '/') c = '\\';
    EXPECT_EQ(native(windows).str(), at("Home/Alice/Decks/Report.pptx"));
    EXPECT_EQ(native("C:\\out\\x").str(), "/out/x");
    EXPECT_EQ(native("d:/out/x").str(), "/out/x");
    EXPECT_EQ(native("C:relative\\x").str(), "relative/x");
}

TEST_F(Paths, DriveMappedByTheRegistry)
{
    ASSERT_TRUE(RegisterDynamic().write("Drives", "H", RegEntry(KestString(at("Home"))), false));
    EXPECT_EQ(native("h:\\alice\\decks\\report.pptx").str(), at("Home/Alice/Decks/Report.pptx"));
    EXPECT_EQ(native("H:alice").str(), at("Home/Alice"));
    RegisterDynamic().write("Drives", "R", RegEntry(KestString("/")), false);
    EXPECT_EQ(native("R:\\etc").str(), "/etc");
}

TEST_F(Paths, RelativePathsStayRelative)
{
    fs::path before = fs::current_path();
    fs::current_path(root / "Home");
    EXPECT_EQ(native("alice\\DECKS\\report.pptx").str(), "Alice/Decks/Report.pptx");
    EXPECT_EQ(native("./alice/../alice").str(), "./Alice/../Alice");
    EXPECT_TRUE(SysFile::exists("ALICE/decks/Report.pptx"));
    fs::current_path(before);
}

TEST_F(Paths, OddInputsDoNotCrash)
{
    EXPECT_EQ(native("").str(), "");
    EXPECT_EQ(native("/").str(), "/");
    EXPECT_EQ(native("\\\\server\\share\\x").str(), "/server/share/x");
    EXPECT_EQ(native(at("Home") + "//alice///").str(), at("Home") + "/Alice/");
    EXPECT_FALSE(SysFile::exists(""));
    EXPECT_FALSE(SysFile::exists(KestString(std::string(5000, 'a'))));
    EXPECT_FALSE(SysFile::deleteFile(""));
}

TEST_F(Paths, DeleteFileResolvesTheName)
{
    EXPECT_TRUE(SysFile::deleteFile(KestString(at("HOME\\alice\\decks\\report.PPTX"))));
    EXPECT_FALSE(fs::exists(root / "Home" / "Alice" / "Decks" / "Report.pptx"));
    EXPECT_FALSE(SysFile::deleteFile(KestString(at("Home/Alice/Decks/Report.pptx"))));
    EXPECT_FALSE(SysFile::deleteFile(KestString(at("Home/Alice/Decks"))));  // not a file
}

TEST(PathText, DirectoryAndFileNameParts)
{
    EXPECT_EQ(SysFile::getDir("C:\\Out\\Report.ppt"), KestString("C:\\Out"));
    EXPECT_EQ(SysFile::getDir("/home/a/b.png"), KestString("/home/a"));
    EXPECT_EQ(SysFile::getDir("dir/sub\\file"), KestString("dir/sub"));
    EXPECT_EQ(SysFile::getDir("Blue.pot"), KestString(""));
    EXPECT_EQ(SysFile::getDir("/x"), KestString("/"));
    EXPECT_EQ(SysFile::getDir("C:\\x"), KestString("C:\\"));
    EXPECT_EQ(SysFile::getDir("a//b"), KestString("a"));
    EXPECT_EQ(SysFile::stripDir("C:\\Out\\Report.ppt"), KestString("Report.ppt"));
    EXPECT_EQ(SysFile::stripDir("a/b\\c.gif"), KestString("c.gif"));
    EXPECT_EQ(SysFile::stripDir("C:name.txt"), KestString("name.txt"));
    EXPECT_EQ(SysFile::stripDir("dir/"), KestString(""));
    EXPECT_EQ(SysFile::stripDir("plain"), KestString("plain"));
}

TEST(PathText, ExtensionAsWritten)
{
    EXPECT_EQ(SysFile::getExtension("pix\\Logo.JPG"), KestString(".JPG"));
    EXPECT_EQ(SysFile::getExtension("archive.tar.gz"), KestString(".gz"));
    EXPECT_EQ(SysFile::getExtension("dir.v2/README"), KestString(""));
    EXPECT_EQ(SysFile::getExtension("noext"), KestString(""));
    EXPECT_EQ(SysFile::getExtension(""), KestString(""));
}

TEST(PathText, AppendUsesTheSeparatorTheDirectoryUses)
{
    EXPECT_EQ(SysFile::appendToDir("C:\\Orvel", "Templates\\Blue.pot"), KestString("C:\\Orvel\\Templates\\Blue.pot"));
    EXPECT_EQ(SysFile::appendToDir("/opt/orvel", "Templates\\Blue.pot"), KestString("/opt/orvel/Templates\\Blue.pot"));
    EXPECT_EQ(SysFile::appendToDir("/opt/orvel/", "pix"), KestString("/opt/orvel/pix"));
    EXPECT_EQ(SysFile::appendToDir("orvel", "pix"), KestString("orvel/pix"));
    EXPECT_EQ(SysFile::appendToDir("", "pix"), KestString("pix"));
    EXPECT_EQ(SysFile::appendToDir("a", "/b"), KestString("a/b"));
}

TEST(PathText, HyperLinks)
{
    for (const char* link : {"http://example.com", "HTTPS://example.com/a", "ftp://host/f", "mailto:a@b.c",
                             "file:///tmp/x", "File:C:/x", "www.example.com", "WWW.Example.com"})
        EXPECT_TRUE(SysFile::isHyperLink(link)) << link;
    for (const char* path : {"C:\\www.txt", "/http/x", "httpd.conf", "wwwroot/x", "mailto", ""})
        EXPECT_FALSE(SysFile::isHyperLink(path)) << path;
}

}  // namespace
