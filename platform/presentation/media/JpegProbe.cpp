// JPEG: segments from SOI to EOI. The frame header gives the size, a JFIF
// APP0 segment the resolution; entropy-coded data after each SOS is scanned
// for the next marker, so a file cut inside the image data is found out.
#include "media/ByteCursor.h"
#include "media/PictureProbes.h"

namespace pptmedia::probes {
namespace {

constexpr std::uint8_t kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA;

bool isFrameHeader(std::uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool hasNoLength(std::uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7) || marker == kSoi;
}

// Reads the next marker code, skipping fill bytes; 0 when none follows.
std::uint8_t nextMarker(ByteCursor& in)
{
    if (in.u8() != 0xFF) return 0;
    std::uint8_t code = in.u8();
    while (code == 0xFF && !in.truncated()) code = in.u8();
    return in.truncated() ? 0 : code;
}

// Skips entropy-coded data; leaves the cursor on the 0xFF of the next real
// marker. False when the data runs to the end of the file.
bool skipEntropyData(ByteCursor& in, Data data)
{
    std::size_t i = in.position();
    while (i + 1 < data.size()) {
        if (data[i] == 0xFF) {
            std::uint8_t next = data[i + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7) || next == 0xFF) {
                i += (next == 0xFF) ? 1 : 2;
                continue;
            }
            in.skip(i - in.position());
            return true;
        }
        ++i;
    }
    return false;
}

}  // namespace

bool looksLikeJpeg(Data data)
{
    return data.size() >= 3 && data[0] == 0xFF && data[1] == kSoi && data[2] == 0xFF;
}

PictureInfo probeJpeg(Data data, const std::string& displayName)
{
    auto fail = [&](const std::string& why) { damaged(PictureFormat::Jpeg, displayName, why); };

    PictureInfo info;
    info.format = PictureFormat::Jpeg;
    ByteCursor in(data, 2);
    bool seenFrame = false, seenScan = false;
    for (;;) {
        std::uint8_t marker = nextMarker(in);
        if (marker == 0) fail("it ends before its end-of-image marker");
        if (marker == kEoi) break;
        if (hasNoLength(marker)) continue;
        std::size_t segmentStart = in.position();
        std::uint16_t length = in.u16be();
        if (in.truncated() || length < 2) fail("a segment header is damaged");
        if (in.remaining() < std::size_t(length) - 2) fail("a segment is cut short");
        if (isFrameHeader(marker)) {
            ByteCursor f(data, segmentStart + 2);
            f.u8();  // sample precision
            info.heightPx = f.u16be();
            info.widthPx = f.u16be();
            if (length < 8 || info.widthPx == 0 || info.heightPx == 0) fail("its frame header gives no size");
            seenFrame = true;
        } else if (marker == 0xE0 && length >= 14) {
            auto id = in.peek(5);
            if (id.size() == 5 && id[0] == 'J' && id[1] == 'F' && id[2] == 'I' && id[3] == 'F' && id[4] == 0) {
                ByteCursor j(data, segmentStart + 2 + 5 + 2);
                std::uint8_t units = j.u8();
                std::uint16_t x = j.u16be(), y = j.u16be();
                double perInch = units == 1 ? 1.0 : units == 2 ? 2.54 : 0.0;
                info.dpiX = x * perInch;
                info.dpiY = y * perInch;
            }
        }
        in.skip(length - 2);
        if (marker == kSos) {
            if (!seenFrame) fail("image data comes before its frame header");
            seenScan = true;
            if (!skipEntropyData(in, data)) fail("its image data is cut short");
        }
    }
    if (!seenFrame || !seenScan) fail("it holds no image");
    return info;
}

}  // namespace pptmedia::probes
