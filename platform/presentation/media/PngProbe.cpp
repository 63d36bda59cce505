// PNG: signature, then chunks (length, type, data, CRC) from IHDR to IEND.
// Every CRC is checked and the image data is inflated to its end, so a file
// cut anywhere -- even inside the compressed stream -- is found out.
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include <zlib.h>

#include "media/ByteCursor.h"
#include "media/PictureProbes.h"

namespace pptmedia::probes {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Past this many bytes of raw scanlines we trust the CRCs and skip inflating.
constexpr std::uint64_t kInflateCheckLimit = 256ull * 1024 * 1024;

bool isType(std::span<const std::uint8_t> type, const char* name)
{
    return type.size() == 4 && std::memcmp(type.data(), name, 4) == 0;
}

std::string typeName(std::span<const std::uint8_t> type)
{
    std::string name;
    for (std::uint8_t c : type) name += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return name;
}

int channelsOf(int colourType, int bitDepth)
{
    auto depthIn = [bitDepth](std::initializer_list<int> allowed) {
        return std::find(allowed.begin(), allowed.end(), bitDepth) != allowed.end();
    };
    switch (colourType) {
    case 0: return depthIn({1, 2, 4, 8, 16}) ? 1 : 0;
    case 2: return depthIn({8, 16}) ? 3 : 0;
    case 3: return depthIn({1, 2, 4, 8}) ? 1 : 0;
    case 4: return depthIn({8, 16}) ? 2 : 0;
    case 6: return depthIn({8, 16}) ? 4 : 0;
    default: return 0;
    }
}

// Bytes of filtered scanlines the IDAT stream must inflate to.
std::uint64_t rawImageSize(std::uint64_t width, std::uint64_t height, int bitsPerPixel, bool interlaced)
{
    auto passSize = [bitsPerPixel](std::uint64_t w, std::uint64_t h) -> std::uint64_t {
        if (w == 0 || h == 0) return 0;
        return h * (1 + (w * bitsPerPixel + 7) / 8);
    };
    if (!interlaced) return passSize(width, height);
    static constexpr int sx[7] = {0, 4, 0, 2, 0, 1, 0}, sy[7] = {0, 0, 4, 0, 2, 0, 1};
    static constexpr int dx[7] = {8, 8, 4, 4, 2, 2, 1}, dy[7] = {8, 8, 8, 4, 4, 2, 2};
    std::uint64_t total = 0;
    for (int p = 0; p < 7; ++p) {
        std::uint64_t w = width > std::uint64_t(sx[p]) ? (width - sx[p] + dx[p] - 1) / dx[p] : 0;
        std::uint64_t h = height > std::uint64_t(sy[p]) ? (height - sy[p] + dy[p] - 1) / dy[p] : 0;
        total += passSize(w, h);
    }
    return total;
}

// Inflates the concatenated IDAT data, counting bytes without keeping them.
class IdatInflater {
public:
    explicit IdatInflater(std::uint64_t expected) : expected_(expected)
    {
        std::memset(&stream_, 0, sizeof stream_);
        ok_ = inflateInit(&stream_) == Z_OK;
        initialised_ = ok_;
    }
    IdatInflater(const IdatInflater&) = delete;
    IdatInflater& operator=(const IdatInflater&) = delete;
    ~IdatInflater()
    {
        if (initialised_) inflateEnd(&stream_);
    }

    // Returns "" while fine, else why not.
    std::string feed(std::span<const std::uint8_t> data)
    {
        if (!ok_) return "the compressed image data cannot be read";
        if (ended_) return data.empty() ? "" : "image data continues after the end of its compressed stream";
        stream_.next_in = const_cast<Bytef*>(data.data());
        stream_.avail_in = static_cast<uInt>(data.size());
        while (stream_.avail_in > 0) {
            stream_.next_out = scratch_.data();
            stream_.avail_out = static_cast<uInt>(scratch_.size());
            int rc = inflate(&stream_, Z_NO_FLUSH);
            produced_ += scratch_.size() - stream_.avail_out;
            if (produced_ > expected_) return "the image data is longer than the picture's size";
            if (rc == Z_STREAM_END) {
                ended_ = true;
                return stream_.avail_in == 0 ? "" : "image data continues after the end of its compressed stream";
            }
            if (rc == Z_BUF_ERROR && stream_.avail_out != 0) break;  // needs more input
            if (rc != Z_OK && rc != Z_BUF_ERROR) return "the compressed image data is corrupt";
        }
        return "";
    }

    std::string finish() const
    {
        if (!ended_) return "the compressed image data is cut short";
        if (produced_ != expected_) return "the image data is shorter than the picture's size";
        return "";
    }

private:
    z_stream stream_;
    std::array<std::uint8_t, 65536> scratch_{};
    std::uint64_t expected_;
    std::uint64_t produced_ = 0;
    bool ok_ = false, initialised_ = false, ended_ = false;
};

}  // namespace

bool looksLikePng(Data data)
{
    return data.size() >= kSignature.size() && std::equal(kSignature.begin(), kSignature.end(), data.begin());
}

PictureInfo probePng(Data data, const std::string& displayName)
{
    auto fail = [&](const std::string& why) { damaged(PictureFormat::Png, displayName, why); };

    PictureInfo info;
    info.format = PictureFormat::Png;
    ByteCursor in(data, kSignature.size());
    bool seenHeader = false, seenPalette = false, seenData = false, dataEnded = false, seenEnd = false;
    int colourType = 0;
    std::uint64_t expected = 0;
    std::unique_ptr<IdatInflater> inflater;

    while (!seenEnd) {
        if (in.atEnd()) fail("it ends before its IEND chunk");
        std::uint32_t length = in.u32be();
        auto type = in.peek(4);
        if (in.truncated() || type.empty()) fail("a chunk header is cut short");
        std::string name = typeName(type);
        if (length > 0x7FFFFFFFu) fail("chunk '" + name + "' has an impossible length");
        if (in.remaining() < std::uint64_t(length) + 8) fail("chunk '" + name + "' is cut short");
        auto typeAndData = in.peek(4 + length);
        in.skip(4);
        auto body = typeAndData.subspan(4);
        in.skip(length);
        std::uint32_t storedCrc = in.u32be();
        uLong crc = crc32(0L, Z_NULL, 0);
        crc = crc32(crc, typeAndData.data(), static_cast<uInt>(typeAndData.size()));
        if (crc != storedCrc) fail("chunk '" + name + "' fails its CRC check");

        if (!seenHeader && !isType(type, "IHDR")) fail("it does not start with an IHDR chunk");
        if (isType(type, "IHDR")) {
            if (seenHeader) fail("it has two IHDR chunks");
            if (length != 13) fail("its IHDR chunk has the wrong length");
            ByteCursor h(body);
            info.widthPx = h.u32be();
            info.heightPx = h.u32be();
            int bitDepth = h.u8();
            colourType = h.u8();
            int compression = h.u8(), filter = h.u8(), interlace = h.u8();
            if (info.widthPx == 0 || info.heightPx == 0 || info.widthPx > 0x7FFFFFFFu || info.heightPx > 0x7FFFFFFFu)
                fail("its width or height is out of range");
            int channels = channelsOf(colourType, bitDepth);
            if (channels == 0 || compression != 0 || filter != 0 || interlace > 1)
                fail("its IHDR chunk holds an unknown colour type, depth or method");
            expected = rawImageSize(info.widthPx, info.heightPx, channels * bitDepth, interlace == 1);
            if (expected <= kInflateCheckLimit) inflater = std::make_unique<IdatInflater>(expected);
            seenHeader = true;
        } else if (isType(type, "PLTE")) {
            if (length == 0 || length % 3 != 0 || length > 256 * 3) fail("its palette has the wrong length");
            seenPalette = true;
        } else if (isType(type, "IDAT")) {
            if (dataEnded) fail("its IDAT chunks are not consecutive");
            seenData = true;
            if (inflater) {
                std::string why = inflater->feed(body);
                if (!why.empty()) fail(why);
            }
        } else if (isType(type, "IEND")) {
            seenEnd = true;
        } else if (isType(type, "pHYs") && length == 9) {
            ByteCursor p(body);
            std::uint32_t x = p.u32be(), y = p.u32be();
            if (p.u8() == 1) {  // pixels per metre
                info.dpiX = x * 0.0254;
                info.dpiY = y * 0.0254;
            }
        } else if ((type[0] & 0x20) == 0) {
            fail("it holds an unknown critical chunk '" + name + "'");
        }
        if (seenData && !isType(type, "IDAT")) dataEnded = true;
    }
    if (!seenData) fail("it holds no image data");
    if (colourType == 3 && !seenPalette) fail("its palette is missing");
    if (inflater) {
        std::string why = inflater->finish();
        if (!why.empty()) fail(why);
    }
    return info;
}

}  // namespace pptmedia::probes
