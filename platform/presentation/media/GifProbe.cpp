// GIF: header, logical screen, then blocks (images, extensions) up to the
// trailer. Walking every data sub-block finds a file that is cut short.
#include <cstring>

#include "media/ByteCursor.h"
#include "media/PictureProbes.h"

namespace pptmedia::probes {
namespace {

constexpr std::uint8_t kImage = 0x2C, kExtension = 0x21, kTrailer = 0x3B;

std::size_t colourTableBytes(std::uint8_t packed)
{
    return (packed & 0x80) ? 3u * (2u << (packed & 0x07)) : 0u;
}

// Skips a chain of data sub-blocks ending with a zero-length block.
bool skipSubBlocks(ByteCursor& in)
{
    for (;;) {
        std::uint8_t size = in.u8();
        if (in.truncated()) return false;
        if (size == 0) return true;
        if (!in.skip(size)) return false;
    }
}

}  // namespace

bool looksLikeGif(Data data)
{
    return data.size() >= 6 && (std::memcmp(data.data(), "GIF87a", 6) == 0 || std::memcmp(data.data(), "GIF89a", 6) == 0);
}

PictureInfo probeGif(Data data, const std::string& displayName)
{
    auto fail = [&](const std::string& why) { damaged(PictureFormat::Gif, displayName, why); };

    PictureInfo info;
    info.format = PictureFormat::Gif;
    ByteCursor in(data, 6);
    info.widthPx = in.u16le();
    info.heightPx = in.u16le();
    std::uint8_t packed = in.u8();
    in.skip(2);  // background colour, pixel aspect
    if (in.truncated()) fail("its screen descriptor is cut short");
    if (info.widthPx == 0 || info.heightPx == 0) fail("its width or height is zero");
    if (!in.skip(colourTableBytes(packed))) fail("its colour table is cut short");

    int images = 0;
    for (;;) {
        std::uint8_t block = in.u8();
        if (in.truncated()) fail("it ends before its trailer");
        if (block == kTrailer) break;
        if (block == kImage) {
            in.skip(8);  // left, top, width, height
            std::uint8_t imagePacked = in.u8();
            if (in.truncated()) fail("an image descriptor is cut short");
            if (!in.skip(colourTableBytes(imagePacked))) fail("a local colour table is cut short");
            std::uint8_t minCodeSize = in.u8();
            if (in.truncated()) fail("an image is cut short");
            if (minCodeSize < 1 || minCodeSize > 11) fail("an image has an invalid code size");
            if (!skipSubBlocks(in)) fail("an image's data is cut short");
            ++images;
        } else if (block == kExtension) {
            in.u8();  // label
            if (in.truncated() || !skipSubBlocks(in)) fail("an extension block is cut short");
        } else {
            fail("it holds an unknown block");
        }
    }
    if (images == 0) fail("it holds no image");
    return info;
}

}  // namespace pptmedia::probes
