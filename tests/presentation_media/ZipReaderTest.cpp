// The zip reader refuses archives that could write outside a folder, blow
// up in memory, or hide damaged members, and reads good ones exactly.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/MediaError.h"
#include "office/package/ZipReader.h"

using namespace pptmedia;
using namespace office;
using namespace mediatest;

TEST(ZipReader, ReadsMembersExactly)
{
    std::string big(100000, 'x');
    testenv::TempDir dir;
    testenv::writeFile(dir / "ok.zip",
                       asString(zipArchive({{"a.txt", "hello", false}, {"dir/b.xml", "<b/>"}, {"dir/big.txt", big}})));
    ZipReader zip = ZipReader::open(dir / "ok.zip", "ok.zip");
    ASSERT_EQ(zip.entries().size(), 3u);
    EXPECT_EQ(asString(zip.read("a.txt")), "hello");
    EXPECT_EQ(asString(zip.read("DIR/B.XML")), "<b/>");  // part names ignore case
    EXPECT_EQ(asString(zip.read("dir/big.txt")), big);
    EXPECT_FALSE(zip.contains("missing"));
    EXPECT_THROW(zip.read("missing"), MediaError);
    for (const char* name : {"ppt/slides/slide1.xml", "[Content_Types].xml", "a..b/c...d"})
        EXPECT_TRUE(isSafeMemberName(name)) << name;
}

TEST(ZipReader, UnsafeAndDamagedArchivesAreRefused)
{
    ZipLimits small;
    small.maxTotalSize = 150;
    small.maxEntrySize = 100;
    ZipLimits few;
    few.maxEntries = 3;
    struct Case {
        Bytes zip;
        MediaErrorKind kind;
        const char* says;
        ZipLimits limits = {};
    };
    std::vector<Case> cases = {
        // A member declaring 3 GB: refused before anything is inflated.
        {zipArchive({{"bomb.xml", std::string(1000, 'a'), true, 3000000000u}}), MediaErrorKind::UnsafePackage, "bomb.xml"},
        // A real one: 20 MB of zeros compress about a thousandfold.
        {zipArchive({{"zeros.bin", std::string(20 * 1024 * 1024, '\0')}}), MediaErrorKind::UnsafePackage, "zip bomb"},
        // Members within limits, together over the total; too many; the same name twice.
        {zipArchive({{"a", std::string(100, 'a'), false}, {"b", std::string(100, 'b'), false}}), MediaErrorKind::UnsafePackage, "", small},
        {zipArchive({{"m0", "x"}, {"m1", "x"}, {"m2", "x"}, {"m3", "x"}}), MediaErrorKind::UnsafePackage, "", few},
        {zipArchive({{"Same.xml", "1"}, {"same.XML", "2"}}), MediaErrorKind::UnsafePackage, ""},
        {asBytes("just some text, long enough to look at"), MediaErrorKind::NotAPackage, "'bad.zip'"},
        {Bytes{}, MediaErrorKind::NotAPackage, ""},
    };
    for (const char* name : {"../evil.txt", "a/../../evil.txt", "/etc/passwd", "a\\..\\..\\evil", "C:/evil", "a/./b", "a//b", ".."})
        cases.push_back({zipArchive({{"ok.txt", "1"}, {name, "2"}}), MediaErrorKind::UnsafePackage, "package 'bad.zip' is refused"});
    for (const Case& c : cases) {
        Refusal r = refusal([&] { ZipReader::fromBytes(c.zip, "bad.zip", c.limits); });
        EXPECT_EQ(r.kind, c.kind) << r.message;
        EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
    }
    Bytes zip = zipArchive({{"a.txt", "hello world"}});
    EXPECT_NE(refusal([&] { ZipReader::fromBytes(Bytes(zip.begin(), zip.end() - 10), "cut.zip"); }).kind,
              MediaErrorKind::UnsafePackage);

    // A wrong CRC, or more data than declared, shows when the member is read.
    ZipReader wrongCrc = ZipReader::fromBytes(zipArchive({{"a.txt", "hello world", true, std::nullopt, 1234u}}), "c.zip");
    EXPECT_EQ(refusal([&] { wrongCrc.read("a.txt"); }).kind, MediaErrorKind::DamagedPackage);
    ZipReader longer = ZipReader::fromBytes(zipArchive({{"a.txt", "hello world", true, 5u}}), "l.zip");
    EXPECT_THROW(longer.read("a.txt"), MediaError);

    Refusal missing = refusal([] { ZipReader::open("/nonexistent/none.zip", "none.zip"); });
    EXPECT_EQ(missing.kind, MediaErrorKind::FileNotFound);
    EXPECT_NE(missing.message.find("'none.zip'"), std::string::npos);
}
