// Pictures are recognised by content, measured, and refused with a clear
// message when they are not pictures or are damaged.
#include <gtest/gtest.h>
#include <zlib.h>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/MediaError.h"
#include "media/PictureSniffer.h"

using namespace pptmedia;
using namespace mediatest;

namespace {

MediaErrorKind sniffError(const Bytes& bytes, std::string* message = nullptr)
{
    try {
        sniffPicture(bytes, "x.pic");
    } catch (const MediaError& e) {
        if (message) *message = e.what();
        return e.kind();
    }
    ADD_FAILURE() << "no error";
    return MediaErrorKind::InvalidArgument;
}

Bytes cut(const Bytes& bytes, std::size_t size)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size));
}

}  // namespace

TEST(PictureSniffer, RecognisesEachFormatWithItsSizeAndStorage)
{
    struct Case {
        Bytes bytes;
        PictureFormat format;
        std::uint32_t width, height;
        const char* contentType;
        const char* extension;
    } cases[] = {
        {pngPicture(40, 30), PictureFormat::Png, 40, 30, "image/png", "png"},
        {jpegPicture(33, 17), PictureFormat::Jpeg, 33, 17, "image/jpeg", "jpeg"},
        {gifPicture(12, 7), PictureFormat::Gif, 12, 7, "image/gif", "gif"},
    };
    for (const Case& c : cases) {
        PictureInfo info = sniffPicture(c.bytes, "p");
        EXPECT_EQ(info.format, c.format);
        EXPECT_EQ(info.widthPx, c.width);
        EXPECT_EQ(info.heightPx, c.height);
        EXPECT_EQ(info.contentType(), c.contentType);
        EXPECT_EQ(info.extension(), c.extension);
    }
}

TEST(PictureSniffer, ReadsResolutionAndNaturalSize)
{
    PictureInfo png = sniffPicture(pngPicture(300, 150, 300), "p.png");
    EXPECT_NEAR(png.dpiX, 300, 0.1);
    EXPECT_NEAR(png.naturalWidthPt(), 72, 0.1);  // one inch
    EXPECT_NEAR(png.naturalHeightPt(), 36, 0.1);

    PictureInfo jpeg = sniffPicture(jpegPicture(144, 72, 144), "p.jpg");
    EXPECT_NEAR(jpeg.dpiY, 144, 0.1);
    EXPECT_NEAR(jpeg.naturalWidthPt(), 72, 0.1);

    // No stated resolution: 96 dpi.
    PictureInfo gif = sniffPicture(gifPicture(96, 48), "p.gif");
    EXPECT_EQ(gif.dpiX, 0);
    EXPECT_NEAR(gif.naturalWidthPt(), 72, 0.01);
    EXPECT_NEAR(gif.naturalHeightPt(), 36, 0.01);

    PictureInfo emf = sniffPicture(emfPicture(144, 72), "p.emf");
    EXPECT_EQ(emf.format, PictureFormat::Emf);
    EXPECT_EQ(emf.contentType(), "image/x-emf");
    EXPECT_EQ(emf.frame.right, 5080);  // two inches in 0.01 mm
    EXPECT_EQ(emf.frame.bottom, 2540);
    EXPECT_NEAR(emf.naturalWidthPt(), 144, 0.05);
    EXPECT_NEAR(emf.naturalHeightPt(), 72, 0.05);
}

TEST(PictureSniffer, DecidesByContentNotByName)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "really-a-png.gif", asString(pngPicture(5, 5)));
    LoadedPicture picture = loadPicture(dir / "really-a-png.gif", "really-a-png.gif");
    EXPECT_EQ(picture.info.format, PictureFormat::Png);
    EXPECT_EQ(picture.bytes.size(), pngPicture(5, 5).size());
}

TEST(PictureSniffer, RefusesWhatIsNoPictureWithTheFileName)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "x.gif", "GIF? no, this is a text file\n");
    try {
        loadPicture(dir / "x.gif", "x.gif");
        FAIL() << "a text file was taken for a picture";
    } catch (const MediaError& e) {
        EXPECT_EQ(e.kind(), MediaErrorKind::NotAPicture);
        EXPECT_STREQ(e.what(), "picture file 'x.gif' is not a GIF, JPEG, PNG or EMF picture");
        EXPECT_EQ(e.hresult(), 0x80004005u);
    }

    testenv::writeFile(dir / "empty.png", "");
    std::string message;
    try {
        loadPicture(dir / "empty.png", "empty.png");
        FAIL();
    } catch (const MediaError& e) {
        EXPECT_EQ(e.kind(), MediaErrorKind::NotAPicture);
        EXPECT_NE(std::string(e.what()).find("'empty.png' is empty"), std::string::npos) << e.what();
    }
}

TEST(PictureSniffer, MissingFilesAndFoldersAreNotFound)
{
    testenv::TempDir dir;
    for (const auto& path : {dir / "nothing.png", dir.path(), std::filesystem::path()}) {
        try {
            loadPicture(path, "name.png");
            FAIL() << path;
        } catch (const MediaError& e) {
            EXPECT_EQ(e.kind(), MediaErrorKind::FileNotFound);
            EXPECT_EQ(e.hresult(), 0x80070002u);
            EXPECT_NE(std::string(e.what()).find("'name.png'"), std::string::npos);
        }
    }
}

TEST(PictureSniffer, FindsAPngCutAnywhere)
{
    Bytes png = pngPicture(64, 64);
    // Every cut, from inside the signature to just before the end, is found.
    for (std::size_t size = 1; size < png.size(); size += (size < 64 ? 1 : 7)) {
        std::string message;
        MediaErrorKind kind = sniffError(cut(png, size), &message);
        if (size < 8)
            EXPECT_EQ(kind, MediaErrorKind::NotAPicture) << size;
        else
            EXPECT_EQ(kind, MediaErrorKind::DamagedPicture) << size << ": " << message;
    }
    std::string message;
    sniffError(cut(png, png.size() / 2), &message);
    EXPECT_NE(message.find("picture file 'x.pic' is a damaged PNG picture"), std::string::npos) << message;
}

TEST(PictureSniffer, FindsBadCrcsAndBadImageData)
{
    Bytes png = pngPicture(16, 16);
    Bytes flipped = png;
    flipped[20] ^= 0x01;  // inside IHDR: its CRC no longer matches
    std::string message;
    EXPECT_EQ(sniffError(flipped, &message), MediaErrorKind::DamagedPicture);
    EXPECT_NE(message.find("CRC"), std::string::npos) << message;

    // A PNG whose IHDR claims more rows than the image data holds: CRCs
    // are fine, the inflated data is too short.
    Bytes taller = png;
    taller[22] = 0x01;  // height 16 -> 272 (big-endian bytes 20..23)
    std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, taller.data() + 12, 17));
    for (int i = 0; i < 4; ++i) taller[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    EXPECT_EQ(sniffError(taller, &message), MediaErrorKind::DamagedPicture);
    EXPECT_NE(message.find("shorter"), std::string::npos) << message;
}

TEST(PictureSniffer, FindsOtherFormatsCutShort)
{
    for (const Bytes& picture : {gifPicture(20, 20), jpegPicture(20, 20), emfPicture(50, 50)}) {
        for (std::size_t size : {picture.size() - 1, picture.size() / 2, std::size_t(50)})
            EXPECT_EQ(sniffError(cut(picture, size)), MediaErrorKind::DamagedPicture) << size;
    }
}

TEST(PictureSniffer, RefusesInconsistentHeaders)
{
    Bytes gif = gifPicture(4, 4);
    gif[6] = gif[7] = 0;  // zero width
    EXPECT_EQ(sniffError(gif), MediaErrorKind::DamagedPicture);

    Bytes emf = emfPicture(10, 10);
    emf[48] = 0xFF;  // total size larger than the file
    emf[49] = 0xFF;
    EXPECT_EQ(sniffError(emf), MediaErrorKind::DamagedPicture);

    // A JPEG start marker followed by rubbish has no frame.
    EXPECT_EQ(sniffError(Bytes{0xFF, 0xD8, 0xFF, 0xD9}), MediaErrorKind::DamagedPicture);
}
