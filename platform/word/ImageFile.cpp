#include "ImageFile.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace word {
namespace {

constexpr double defaultDpi = 96.0;
constexpr std::uintmax_t largestPicture = 256u << 20;  // bytes; beyond this a picture is skipped
constexpr std::uint32_t largestSide = 1u << 16;        // pixels

struct Bytes {
    const std::string& data;
    bool has(std::size_t at, std::size_t n) const { return at <= data.size() && n <= data.size() - at; }
    std::uint8_t u8(std::size_t at) const { return static_cast<std::uint8_t>(data[at]); }
    std::uint32_t be16(std::size_t at) const { return (std::uint32_t(u8(at)) << 8) | u8(at + 1); }
    std::uint32_t be32(std::size_t at) const { return (be16(at) << 16) | be16(at + 2); }
    std::uint32_t le16(std::size_t at) const { return (std::uint32_t(u8(at + 1)) << 8) | u8(at); }
    std::uint32_t le32(std::size_t at) const { return (le16(at + 2) << 16) | le16(at); }
    std::int32_t le32s(std::size_t at) const { return static_cast<std::int32_t>(le32(at)); }
    bool startsWith(std::size_t at, const char* text) const
    {
        std::size_t n = std::strlen(text);
        return has(at, n) && data.compare(at, n, text) == 0;
    }
};

struct PixelSize {
    std::uint32_t width = 0, height = 0;
    double dpiX = defaultDpi, dpiY = defaultDpi;
};

bool plausible(const PixelSize& s)
{
    return s.width > 0 && s.height > 0 && s.width <= largestSide && s.height <= largestSide;
}

// A resolution that is clearly wrong (a few dpi, or absurdly fine) is ignored.
double usableDpi(double dpi)
{
    return dpi >= 24.0 && dpi <= 2400.0 ? dpi : defaultDpi;
}

std::optional<PixelSize> pngSize(const Bytes& b)
{
    if (!b.startsWith(0, "\x89PNG\r\n\x1a\n") || !b.has(8, 25) || !b.startsWith(12, "IHDR")) return {};
    PixelSize s{b.be32(16), b.be32(20)};
    // The physical size chunk comes before the image data when present.
    for (std::size_t at = 8; b.has(at, 12);) {
        std::uint32_t length = b.be32(at);
        if (b.startsWith(at + 4, "IDAT") || b.startsWith(at + 4, "IEND")) break;
        if (b.startsWith(at + 4, "pHYs") && length >= 9 && b.has(at + 8, 9) && b.u8(at + 16) == 1) {
            s.dpiX = usableDpi(b.be32(at + 8) * 0.0254);
            s.dpiY = usableDpi(b.be32(at + 12) * 0.0254);
        }
        if (length > b.data.size()) break;
        at += 12 + std::size_t(length);
    }
    return s;
}

std::optional<PixelSize> jpegSize(const Bytes& b)
{
    if (!b.has(0, 4) || b.u8(0) != 0xFF || b.u8(1) != 0xD8) return {};
    PixelSize s;
    for (std::size_t at = 2; b.has(at, 4);) {
        if (b.u8(at) != 0xFF) return {};
        std::uint8_t marker = b.u8(at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        std::uint32_t length = b.be16(at + 2);
        if (length < 2) return {};
        if (marker == 0xE0 && b.startsWith(at + 4, "JFIF") && b.has(at + 4, 12)) {
            std::uint8_t units = b.u8(at + 11);
            double x = b.be16(at + 12), y = b.be16(at + 14);
            if (units == 1) s.dpiX = usableDpi(x), s.dpiY = usableDpi(y);
            if (units == 2) s.dpiX = usableDpi(x * 2.54), s.dpiY = usableDpi(y * 2.54);
        }
        bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (!b.has(at + 4, 5)) return {};
            s.height = b.be16(at + 5);
            s.width = b.be16(at + 7);
            return s;
        }
        if (marker == 0xD9 || marker == 0xDA) return {};  // image data before any frame header
        at += 2 + length;
    }
    return {};
}

std::optional<PixelSize> gifSize(const Bytes& b)
{
    if (!(b.startsWith(0, "GIF87a") || b.startsWith(0, "GIF89a")) || !b.has(6, 4)) return {};
    return PixelSize{b.le16(6), b.le16(8)};
}

std::optional<PixelSize> bmpSize(const Bytes& b)
{
    if (!b.startsWith(0, "BM") || !b.has(14, 4)) return {};
    std::uint32_t header = b.le32(14);
    if (header == 12 && b.has(18, 4)) return PixelSize{b.le16(18), b.le16(20)};
    if (header < 40 || !b.has(14, 40)) return {};
    std::int32_t width = b.le32s(18), height = b.le32s(22);
    if (width <= 0 || height == 0 || height == INT32_MIN) return {};
    PixelSize s{std::uint32_t(width), std::uint32_t(height < 0 ? -height : height)};
    if (std::uint32_t x = b.le32(38), y = b.le32(42); x > 0 && y > 0)
        s.dpiX = usableDpi(x * 0.0254), s.dpiY = usableDpi(y * 0.0254);
    return s;
}

// An enhanced metafile names its picture frame in hundredths of a millimetre.
std::optional<Image> emfImage(std::string& bytes)
{
    Bytes b{bytes};
    if (!b.has(0, 88) || b.le32(0) != 1 || !b.startsWith(40, " EMF")) return {};
    double widthMm = (double(b.le32s(32)) - b.le32s(24)) / 100.0;
    double heightMm = (double(b.le32s(36)) - b.le32s(28)) / 100.0;
    if (!(widthMm > 0.1 && heightMm > 0.1 && widthMm < 10000 && heightMm < 10000)) return {};
    return Image{ImageType::Emf, std::move(bytes), widthMm / 25.4 * 72.0, heightMm / 25.4 * 72.0};
}

}  // namespace

std::optional<Image> imageFromBytes(std::string bytes)
{
    Bytes b{bytes};
    std::optional<PixelSize> size;
    ImageType type = ImageType::Png;
    if ((size = pngSize(b)))
        type = ImageType::Png;
    else if ((size = jpegSize(b)))
        type = ImageType::Jpeg;
    else if ((size = gifSize(b)))
        type = ImageType::Gif;
    else if ((size = bmpSize(b)))
        type = ImageType::Bmp;
    else
        return emfImage(bytes);
    if (!plausible(*size)) return {};
    double width = size->width * 72.0 / size->dpiX;
    double height = size->height * 72.0 / size->dpiY;
    return Image{type, std::move(bytes), width, height};
}

std::optional<Image> loadImage(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > largestPicture) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return {};
    return imageFromBytes(std::move(bytes));
}

const char* fileExtension(ImageType type)
{
    switch (type) {
    case ImageType::Png: return "png";
    case ImageType::Jpeg: return "jpeg";
    case ImageType::Gif: return "gif";
    case ImageType::Bmp: return "bmp";
    case ImageType::Emf: return "emf";
    }
    return "bin";
}

const char* contentType(ImageType type)
{
    switch (type) {
    case ImageType::Png: return "image/png";
    case ImageType::Jpeg: return "image/jpeg";
    case ImageType::Gif: return "image/gif";
    case ImageType::Bmp: return "image/bmp";
    case ImageType::Emf: return "image/x-emf";
    }
    return "application/octet-stream";
}

}  // namespace word
