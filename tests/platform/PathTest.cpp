// File names as clients write them: both separators, drives, letter case
// that differs from the disk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
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

// Names resolve case-insensitively to the spelling on disk; a missing tail keeps
// its spelling below the last match; an ambiguous match keeps the original;
// backslashes and drive letters (mapped by the registry or the root) are read.
TEST_F(Paths, NativeNamesAsClientsWriteThem)
{
    ASSERT_TRUE(RegisterDynamic().write("Drives", "H", RegEntry(KestString(at("Home"))), false));
    RegisterDynamic().write("Drives", "R", RegEntry(KestString("/")), false);
    std::string windows = "C:" + at("home\\alice\\Decks\\report.pptx");
    std::replace(windows.begin(), windows.end(), '/', '\\');
    const std::string report = at("Home/Alice/Decks/Report.pptx");
    const std::pair<std::string, std::string> cases[] = {
        {at("home/alice/decks/report.pptx"), report},
        {at("HOME/ALICE/DECKS"), at("Home/Alice/Decks")},
        {at("home/alice/decks/new deck.pptx"), at("Home/Alice/Decks/new deck.pptx")},
        {at("home/bob/decks/x.pptx"), at("Home/bob/decks/x.pptx")},
        {at("TWIN"), at("TWIN")},
        {at("twin"), at("twin")},  // exact spellings win
        {at("Twin"), at("Twin")},
        {windows, report},
        {"C:\\out\\x", "/out/x"},
        {"d:/out/x", "/out/x"},
        {"C:relative\\x", "relative/x"},
        {"h:\\alice\\decks\\report.pptx", report},
        {"H:alice", at("Home/Alice")},
        {"R:\\etc", "/etc"},
        {"", ""},
        {"/", "/"},
        {"\\\\server\\share\\x", "/server/share/x"},
        {at("Home") + "//alice///", at("Home") + "/Alice/"},
    };
    for (const auto& [input, expected] : cases) EXPECT_EQ(native(input).str(), expected) << input;
    EXPECT_TRUE(SysFile::exists(KestString(at("home/alice/decks/REPORT.PPTX"))));
    EXPECT_FALSE(SysFile::exists(KestString(at("home/bob/decks/x.pptx"))));
    EXPECT_FALSE(SysFile::exists(""));
    EXPECT_FALSE(SysFile::exists(KestString(std::string(5000, 'a'))));
    EXPECT_FALSE(SysFile::deleteFile(""));
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

TEST_F(Paths, DeleteFileResolvesTheName)
{
    EXPECT_TRUE(SysFile::deleteFile(KestString(at("HOME\\alice\\decks\\report.PPTX"))));
    EXPECT_FALSE(fs::exists(root / "Home" / "Alice" / "Decks" / "Report.pptx"));
    EXPECT_FALSE(SysFile::deleteFile(KestString(at("Home/Alice/Decks/Report.pptx"))));
    EXPECT_FALSE(SysFile::deleteFile(KestString(at("Home/Alice/Decks"))));  // not a file
}

TEST(PathText, DirectoryFileNameExtensionAndAppending)
{
    using Part = KestString (*)(const KestString&);
    struct Case {
        Part part;
        const char *input, *expected;
    } cases[] = {
        {SysFile::getDir, "C:\\Out\\Report.ppt", "C:\\Out"}, {SysFile::getDir, "/home/a/b.png", "/home/a"},
        {SysFile::getDir, "dir/sub\\file", "dir/sub"},         {SysFile::getDir, "Blue.pot", ""},
        {SysFile::getDir, "/x", "/"},                          {SysFile::getDir, "C:\\x", "C:\\"},
        {SysFile::getDir, "a//b", "a"},                        {SysFile::stripDir, "C:\\Out\\Report.ppt", "Report.ppt"},
        {SysFile::stripDir, "a/b\\c.gif", "c.gif"},            {SysFile::stripDir, "C:name.txt", "name.txt"},
        {SysFile::stripDir, "dir/", ""},                       {SysFile::stripDir, "plain", "plain"},
        {SysFile::getExtension, "pix\\Logo.JPG", ".JPG"},      {SysFile::getExtension, "archive.tar.gz", ".gz"},
        {SysFile::getExtension, "dir.v2/README", ""},          {SysFile::getExtension, "noext", ""},
        {SysFile::getExtension, "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.part(c.input), KestString(c.expected)) << c.input;
    // Appending uses the separator the directory uses.
    const char* appended[][3] = {{"C:\\Orvel", "Templates\\Blue.pot", "C:\\Orvel\\Templates\\Blue.pot"},
                                 {"/opt/orvel", "Templates\\Blue.pot", "/opt/orvel/Templates\\Blue.pot"},
                                 {"/opt/orvel/", "pix", "/opt/orvel/pix"}, {"orvel", "pix", "orvel/pix"},
                                 {"", "pix", "pix"}, {"a", "/b", "a/b"}};
    for (const auto& a : appended) EXPECT_EQ(SysFile::appendToDir(a[0], a[1]), KestString(a[2])) << a[0] << " " << a[1];
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
