// Reading the records a .ppt is made of without trusting a single length:
// every field and every record is checked against the bytes that hold it,
// and anything that does not fit is a FormatError saying what and where.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ppt::binary {

// What is wrong with a file, in words a user can act on.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Little-endian fields read one after another from a slice of bytes.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes, std::string what = "record") : bytes_(bytes), what_(std::move(what)) {}
    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)[0]); }
    std::uint16_t u16();
    std::uint32_t u32();
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::string_view take(std::size_t n);
    void skip(std::size_t n) { take(n); }
    std::size_t remaining() const { return bytes_.size() - pos_; }

private:
    std::string_view bytes_;
    std::string what_;  // for messages
    std::size_t pos_ = 0;
};

struct Record {
    std::uint16_t type = 0;
    std::uint16_t instance = 0;
    std::uint8_t version = 0;
    std::string_view body;
    std::size_t offset = 0;  // of the header in the stream, for messages

    bool isContainer() const { return version == 0xF; }
    ByteReader reader() const { return ByteReader(body, name()); }
    std::string name() const;  // "record 0x03F8 at offset 1234"
};

// The record whose header starts at offset; its body must lie in the stream.
Record recordAt(std::string_view stream, std::size_t offset, std::size_t streamBase = 0);
// The records a container holds, each inside it.
std::vector<Record> childrenOf(const Record& container);
// The first child of that type (and instance, when given).
std::optional<Record> childOf(const Record& container, std::uint16_t type, std::optional<std::uint16_t> instance = {});
// That child, or a FormatError naming what is missing.
Record requiredChild(const Record& container, std::uint16_t type, const char* what);

}  // namespace ppt::binary
