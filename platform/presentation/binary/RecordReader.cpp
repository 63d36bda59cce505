#include "binary/RecordReader.h"

#include <cstdio>

namespace ppt::binary {
namespace {
constexpr std::size_t kHeaderSize = 8;

std::string hex4(std::uint16_t type)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", type);
    return text;
}
}  // namespace

std::string_view ByteReader::take(std::size_t n)
{
    if (n > remaining()) throw FormatError(what_ + " is cut short");
    const std::string_view part = bytes_.substr(pos_, n);
    pos_ += n;
    return part;
}

std::uint16_t ByteReader::u16()
{
    const std::string_view b = take(2);
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[0]) | static_cast<std::uint8_t>(b[1]) << 8);
}

std::uint32_t ByteReader::u32()
{
    const std::uint32_t low = u16();
    return low | static_cast<std::uint32_t>(u16()) << 16;
}

std::string Record::name() const { return "record " + hex4(type) + " at offset " + std::to_string(offset); }

Record recordAt(std::string_view stream, std::size_t offset, std::size_t streamBase)
{
    if (offset > stream.size() || stream.size() - offset < kHeaderSize)
        throw FormatError("a record header at offset " + std::to_string(streamBase + offset) + " lies past the end of its container");
    ByteReader header(stream.substr(offset, kHeaderSize));
    const std::uint16_t versionAndInstance = header.u16();
    Record record;
    record.version = static_cast<std::uint8_t>(versionAndInstance & 0xF);
    record.instance = static_cast<std::uint16_t>(versionAndInstance >> 4);
    record.type = header.u16();
    record.offset = streamBase + offset;
    const std::uint32_t length = header.u32();
    if (length > stream.size() - offset - kHeaderSize)
        throw FormatError(record.name() + " is " + std::to_string(length) + " bytes long, past the end of its container");
    record.body = stream.substr(offset + kHeaderSize, length);
    return record;
}

std::vector<Record> childrenOf(const Record& container)
{
    std::vector<Record> children;
    const std::size_t bodyStart = container.offset + kHeaderSize;
    for (std::size_t at = 0; at < container.body.size();) {
        children.push_back(recordAt(container.body, at, bodyStart));
        at += kHeaderSize + children.back().body.size();
    }
    return children;
}

std::optional<Record> childOf(const Record& container, std::uint16_t type, std::optional<std::uint16_t> instance)
{
    for (const Record& child : childrenOf(container))
        if (child.type == type && (!instance || child.instance == *instance)) return child;
    return std::nullopt;
}

Record requiredChild(const Record& container, std::uint16_t type, const char* what)
{
    if (auto child = childOf(container, type)) return *child;
    throw FormatError(container.name() + " has no " + what);
}

}  // namespace ppt::binary
