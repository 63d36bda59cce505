#include "binary/RecordStream.h"

#include "binary/FormatLimit.h"
#include "binary/RecordTypes.h"

namespace ppt::binary {

RecordStream::Scope::Scope(RecordStream& out, std::uint16_t type, std::uint16_t instance, std::uint8_t version)
    : out_(out), start_(out.size())
{
    out.header(type, instance, version, 0);
}

void RecordStream::header(std::uint16_t type, std::uint16_t instance, std::uint8_t version, std::uint32_t length)
{
    u16(static_cast<std::uint16_t>((instance << 4) | (version & 0xF)));
    u16(type);
    u32(length);
}

void RecordStream::closeRecord(std::size_t start)
{
    const std::size_t length = bytes_.size() - start - 8;
    // A record length is 32 bits: a deck this large cannot be written.
    if (length > 0xFFFFFFFFu) throw FormatLimit("a record of the presentation would be larger than the 4 GB a .ppt record holds");
    patchU32(start + 4, static_cast<std::uint32_t>(length));
}

void RecordStream::atom(std::uint16_t type, std::uint16_t instance, std::uint8_t version, std::string_view body)
{
    header(type, instance, version, static_cast<std::uint32_t>(body.size()));
    raw(body);
}

void RecordStream::u16(std::uint16_t v)
{
    bytes_.push_back(static_cast<char>(v & 0xFF));
    bytes_.push_back(static_cast<char>(v >> 8));
}

void RecordStream::u32(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void RecordStream::utf16(std::u16string_view text)
{
    for (char16_t c : text) u16(static_cast<std::uint16_t>(c));
}

void RecordStream::patchU32(std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) bytes_[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void writeCString(RecordStream& out, std::uint16_t instance, std::u16string_view text)
{
    auto s = out.atom(rt::CString, instance);
    out.utf16(text);
}

}  // namespace ppt::binary
