#include "TestImages.h"

#include <zlib.h>

#include <vector>

namespace wordtest {
namespace {

void be32(std::string& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}
void be16(std::string& out, std::uint32_t v)
{
    out += static_cast<char>((v >> 8) & 0xFF);
    out += static_cast<char>(v & 0xFF);
}
void le16(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void le32(std::string& out, std::uint32_t v)
{
    le16(out, v & 0xFFFF);
    le16(out, v >> 16);
}

void chunk(std::string& png, const char* type, const std::string& data)
{
    be32(png, static_cast<std::uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    png += body;
    be32(png, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

}  // namespace

std::string makePng(std::uint32_t width, std::uint32_t height, std::uint32_t pixelsPerMetre)
{
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    be32(header, width);
    be32(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
    chunk(png, "IHDR", header);
    if (pixelsPerMetre) {
        std::string phys;
        be32(phys, pixelsPerMetre);
        be32(phys, pixelsPerMetre);
        phys += '\x01';
        chunk(png, "pHYs", phys);
    }
    std::string raw;
    for (std::uint32_t y = 0; y < height; ++y) {
        raw += '\0';  // no filter
        for (std::uint32_t x = 0; x < width; ++x) {
            raw += static_cast<char>(255 * x / (width ? width : 1));
            raw += static_cast<char>(255 * y / (height ? height : 1));
            raw += static_cast<char>(160);
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<Bytef> packed(size);
    compress(packed.data(), &size, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
    chunk(png, "IDAT", std::string(reinterpret_cast<const char*>(packed.data()), size));
    chunk(png, "IEND", "");
    return png;
}

std::string gifHeader(std::uint16_t width, std::uint16_t height)
{
    std::string gif = "GIF89a";
    le16(gif, width);
    le16(gif, height);
    gif += std::string("\x00\x00\x00", 3);
    return gif;
}

std::string jpegHeader(std::uint16_t width, std::uint16_t height, std::uint16_t dpi)
{
    std::string jpeg("\xFF\xD8", 2);
    if (dpi) {
        jpeg += std::string("\xFF\xE0", 2);
        be16(jpeg, 16);
        jpeg += std::string("JFIF\0\x01\x02\x01", 8);
        be16(jpeg, dpi);
        be16(jpeg, dpi);
        jpeg += std::string("\x00\x00", 2);
    }
    jpeg += std::string("\xFF\xC0", 2);
    be16(jpeg, 17);
    jpeg += '\x08';
    be16(jpeg, height);
    be16(jpeg, width);
    jpeg += std::string(10, '\x01');
    jpeg += std::string("\xFF\xD9", 2);
    return jpeg;
}

std::string bmpHeader(std::int32_t width, std::int32_t height)
{
    std::string bmp = "BM";
    for (std::uint32_t v : {54u, 0u, 54u, 40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
        le32(bmp, v);
    le16(bmp, 1);
    le16(bmp, 24);  // bits per pixel
    bmp.resize(54, '\0');
    return bmp;
}

std::string emfHeader(std::int32_t widthHundredthsMm, std::int32_t heightHundredthsMm)
{
    std::string emf;
    // EMR_HEADER of 88 bytes, the bounds, the frame (left, top, right, bottom), " EMF".
    for (std::uint32_t v : {1u, 88u, 0u, 0u, 0u, 0u, 0u, 0u, static_cast<std::uint32_t>(widthHundredthsMm),
                            static_cast<std::uint32_t>(heightHundredthsMm), 0x464D4520u})
        le32(emf, v);
    emf.resize(88, '\0');
    return emf;
}

}  // namespace wordtest
