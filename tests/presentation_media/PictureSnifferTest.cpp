// Pictures are recognised by content, measured, and refused with a clear
// message when they are not pictures or are damaged.
#include <gtest/gtest.h>
#include <zlib.h>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/PictureSniffer.h"

using namespace pptmedia;
using namespace mediatest;

namespace {

Bytes cut(const Bytes& bytes, std::size_t size)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size));
}

Refusal sniffRefusal(const Bytes& bytes)
{
    return refusal([&] { sniffPicture(bytes, "x.pic"); });
}

}  // namespace

TEST(PictureSniffer, RecognisesEachFormatWithItsSizeResolutionAndStorage)
{
    struct Case {
        Bytes bytes;
        PictureFormat format;
        std::uint32_t width, height;
        const char* contentType;
        const char* extension;
        double naturalWidthPt, naturalHeightPt;  // pixels at the stated resolution, else at 96 dpi
    } cases[] = {
        {pngPicture(40, 30), PictureFormat::Png, 40, 30, "image/png", "png", 30, 22.5},
        {pngPicture(300, 150, 300), PictureFormat::Png, 300, 150, "image/png", "png", 72, 36},
        {jpegPicture(144, 72, 144), PictureFormat::Jpeg, 144, 72, "image/jpeg", "jpeg", 72, 36},
        {gifPicture(96, 48), PictureFormat::Gif, 96, 48, "image/gif", "gif", 72, 36},
        {emfPicture(144, 72), PictureFormat::Emf, 2880, 1440, "image/x-emf", "emf", 144, 72},  // twips
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contentType);
        PictureInfo info = sniffPicture(c.bytes, "p");
        EXPECT_EQ(info.format, c.format);
        EXPECT_EQ(info.widthPx, c.width);
        EXPECT_EQ(info.heightPx, c.height);
        EXPECT_EQ(info.contentType(), c.contentType);
        EXPECT_EQ(info.extension(), c.extension);
        EXPECT_NEAR(info.naturalWidthPt(), c.naturalWidthPt, 0.05);
        EXPECT_NEAR(info.naturalHeightPt(), c.naturalHeightPt, 0.05);
    }
}

TEST(PictureSniffer, FilesAreLoadedByContentAndRefusedWithTheirName)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "really-a-png.gif", asString(pngPicture(5, 5)));
    LoadedPicture picture = loadPicture(dir / "really-a-png.gif", "really-a-png.gif");
    EXPECT_EQ(picture.info.format, PictureFormat::Png);
    EXPECT_EQ(picture.bytes.size(), pngPicture(5, 5).size());

    testenv::writeFile(dir / "x.gif", "GIF? no, this is a text file\n");
    testenv::writeFile(dir / "empty.png", "");
    struct Case {
        std::filesystem::path path;
        MediaErrorKind kind;
        std::uint32_t hresult;
        const char* says;
    } cases[] = {
        {dir / "x.gif", MediaErrorKind::NotAPicture, 0x80004005u, "picture file 'name' is not a GIF, JPEG, PNG or EMF picture"},
        {dir / "empty.png", MediaErrorKind::NotAPicture, 0x80004005u, "'name' is empty"},
        {dir / "nothing.png", MediaErrorKind::FileNotFound, 0x80070002u, "'name'"},
        {dir.path(), MediaErrorKind::FileNotFound, 0x80070002u, "'name'"},
        {{}, MediaErrorKind::FileNotFound, 0x80070002u, "'name'"},
    };
    for (const Case& c : cases) {
        Refusal r = refusal([&] { loadPicture(c.path, "name"); });
        EXPECT_EQ(r.kind, c.kind) << c.path;
        EXPECT_EQ(r.hresult, c.hresult) << c.path;
        EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
    }
}

TEST(PictureSniffer, DamageIsFoundWhereverItIs)
{
    Bytes png = pngPicture(64, 64);
    // Every cut, from inside the signature to just before the end.
    for (std::size_t size = 1; size < png.size(); size += (size < 64 ? 1 : 7))
        EXPECT_EQ(sniffRefusal(cut(png, size)).kind, size < 8 ? MediaErrorKind::NotAPicture : MediaErrorKind::DamagedPicture)
            << size;
    for (const Bytes& picture : {gifPicture(20, 20), jpegPicture(20, 20), emfPicture(50, 50)})
        for (std::size_t size : {picture.size() - 1, picture.size() / 2, std::size_t(50)})
            EXPECT_EQ(sniffRefusal(cut(picture, size)).kind, MediaErrorKind::DamagedPicture) << size;

    Bytes flipped = pngPicture(16, 16);
    flipped[20] ^= 0x01;  // inside IHDR: its CRC no longer matches
    // An IHDR claiming more rows than the image data holds, with a right CRC.
    Bytes taller = pngPicture(16, 16);
    taller[22] = 0x01;  // height 16 -> 272 (big-endian bytes 20..23)
    std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, taller.data() + 12, 17));
    for (int i = 0; i < 4; ++i) taller[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    Bytes gif = gifPicture(4, 4);
    gif[6] = gif[7] = 0;  // zero width
    Bytes emf = emfPicture(10, 10);
    emf[48] = emf[49] = 0xFF;  // total size larger than the file
    const std::pair<Bytes, const char*> damaged[] = {
        {cut(png, png.size() / 2), "picture file 'x.pic' is a damaged PNG picture"},
        {flipped, "CRC"},
        {taller, "shorter"},
        {gif, ""},
        {emf, ""},
        {Bytes{0xFF, 0xD8, 0xFF, 0xD9}, ""},  // a JPEG start marker and no frame
    };
    for (const auto& [bytes, says] : damaged) {
        Refusal r = sniffRefusal(bytes);
        EXPECT_EQ(r.kind, MediaErrorKind::DamagedPicture) << says;
        EXPECT_NE(r.message.find(says), std::string::npos) << r.message;
    }
}
