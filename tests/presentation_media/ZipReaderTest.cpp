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

namespace {

MediaErrorKind openError(const Bytes& zip, std::string* message = nullptr, const ZipLimits& limits = {})
{
    try {
        ZipReader::fromBytes(zip, "bad.zip", limits);
    } catch (const MediaError& e) {
        if (message) *message = e.what();
        return e.kind();
    }
    ADD_FAILURE() << "opened";
    return MediaErrorKind::InvalidArgument;
}

}  // namespace

TEST(ZipReader, ReadsMembersExactly)
{
    std::string big(100000, 'x');
    ZipReader zip = ZipReader::fromBytes(
        zipArchive({{"a.txt", "hello", false}, {"dir/b.xml", "<b/>"}, {"dir/big.txt", big}}), "ok.zip");
    ASSERT_EQ(zip.entries().size(), 3u);
    EXPECT_EQ(asString(zip.read("a.txt")), "hello");
    EXPECT_EQ(asString(zip.read("DIR/B.XML")), "<b/>");  // part names ignore case
    EXPECT_EQ(asString(zip.read("dir/big.txt")), big);
    EXPECT_FALSE(zip.contains("missing"));
    EXPECT_THROW(zip.read("missing"), MediaError);
}

TEST(ZipReader, MemberNamesThatClimbOutAreRefused)
{
    for (const char* name : {"../evil.txt", "a/../../evil.txt", "/etc/passwd", "a\\..\\..\\evil", "C:/evil",
                             "a/./b", "a//b", ".."}) {
        std::string message;
        EXPECT_EQ(openError(zipArchive({{"ok.txt", "1"}, {name, "2"}}), &message), MediaErrorKind::UnsafePackage)
            << name;
        EXPECT_NE(message.find("package 'bad.zip' is refused"), std::string::npos) << message;
    }
    EXPECT_TRUE(isSafeMemberName("ppt/slides/slide1.xml"));
    EXPECT_TRUE(isSafeMemberName("[Content_Types].xml"));
    EXPECT_TRUE(isSafeMemberName("a..b/c...d"));
}

TEST(ZipReader, ZipBombsAreRefusedFromTheirHeaders)
{
    // A member declaring 3 GB: refused before anything is inflated.
    std::string message;
    EXPECT_EQ(openError(zipArchive({{"bomb.xml", std::string(1000, 'a'), true, 3000000000u}}), &message),
              MediaErrorKind::UnsafePackage);
    EXPECT_NE(message.find("bomb.xml"), std::string::npos) << message;

    // A real one: 20 MB of zeros compress about a thousandfold.
    EXPECT_EQ(openError(zipArchive({{"zeros.bin", std::string(20 * 1024 * 1024, '\0')}}), &message),
              MediaErrorKind::UnsafePackage);
    EXPECT_NE(message.find("zip bomb"), std::string::npos) << message;

    // Members within limits, together over the total.
    ZipLimits small;
    small.maxTotalSize = 150;
    small.maxEntrySize = 100;
    EXPECT_EQ(openError(zipArchive({{"a", std::string(100, 'a'), false}, {"b", std::string(100, 'b'), false}}),
                        nullptr, small),
              MediaErrorKind::UnsafePackage);
}

TEST(ZipReader, TooManyOrDuplicateMembersAreRefused)
{
    ZipLimits few;
    few.maxEntries = 3;
    std::vector<ZipMember> members;
    for (int i = 0; i < 4; ++i) members.push_back({"m" + std::to_string(i), "x"});
    EXPECT_EQ(openError(zipArchive(members), nullptr, few), MediaErrorKind::UnsafePackage);

    EXPECT_EQ(openError(zipArchive({{"Same.xml", "1"}, {"same.XML", "2"}})), MediaErrorKind::UnsafePackage);
}

TEST(ZipReader, DamageIsReportedNotHidden)
{
    EXPECT_EQ(openError(asBytes("just some text, long enough to look at")), MediaErrorKind::NotAPackage);
    EXPECT_EQ(openError(Bytes{}), MediaErrorKind::NotAPackage);

    Bytes zip = zipArchive({{"a.txt", "hello world"}});
    EXPECT_NE(openError(Bytes(zip.begin(), zip.begin() + static_cast<long>(zip.size() - 10))), MediaErrorKind::UnsafePackage);

    // A wrong CRC shows when the member is read.
    ZipReader wrongCrc = ZipReader::fromBytes(zipArchive({{"a.txt", "hello world", true, std::nullopt, 1234u}}), "c.zip");
    try {
        wrongCrc.read("a.txt");
        FAIL() << "CRC not checked";
    } catch (const MediaError& e) {
        EXPECT_EQ(e.kind(), MediaErrorKind::DamagedPackage);
    }

    // A member that holds more than it declares.
    ZipReader longer = ZipReader::fromBytes(zipArchive({{"a.txt", "hello world", true, 5u}}), "l.zip");
    EXPECT_THROW(longer.read("a.txt"), MediaError);
}

TEST(ZipReader, OpensFilesAndNamesThemInErrors)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "p.zip", asString(zipArchive({{"x", "y"}})));
    EXPECT_EQ(asString(ZipReader::open(dir / "p.zip", "p.zip").read("x")), "y");
    try {
        ZipReader::open(dir / "none.zip", "none.zip");
        FAIL();
    } catch (const MediaError& e) {
        EXPECT_EQ(e.kind(), MediaErrorKind::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("'none.zip'"), std::string::npos);
    }
}
