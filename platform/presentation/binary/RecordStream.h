// Little-endian bytes grouped into the records both the PowerPoint Document
// stream and OfficeArt drawings are made of: an 8-byte header (version,
// instance, type, length) and a body. Containers are opened with a scope
// object that fills in their length when it closes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ppt::binary {

class RecordStream {
public:
    class Scope {
    public:
        Scope(RecordStream& out, std::uint16_t type, std::uint16_t instance, std::uint8_t version);
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        ~Scope() { out_.closeRecord(start_); }

    private:
        RecordStream& out_;
        std::size_t start_;
    };

    // A container (version 0xF) whose children are written until the scope ends.
    [[nodiscard]] Scope container(std::uint16_t type, std::uint16_t instance = 0) { return Scope(*this, type, instance, 0xF); }
    // An atom whose body is written until the scope ends.
    [[nodiscard]] Scope atom(std::uint16_t type, std::uint16_t instance = 0, std::uint8_t version = 0)
    {
        return Scope(*this, type, instance, version);
    }
    void atom(std::uint16_t type, std::uint16_t instance, std::uint8_t version, std::string_view body);

    void u8(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void raw(std::string_view b) { bytes_.append(b); }
    void utf16(std::u16string_view text);
    void zeros(std::size_t n) { bytes_.append(n, '\0'); }

    void reserve(std::size_t size) { bytes_.reserve(size); }
    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }
    void patchU32(std::size_t at, std::uint32_t v);

private:
    void header(std::uint16_t type, std::uint16_t instance, std::uint8_t version, std::uint32_t length);
    void closeRecord(std::size_t start);

    std::string bytes_;
};

// A CString record: UTF-16 text without a terminator.
void writeCString(RecordStream& out, std::uint16_t instance, std::u16string_view text);

}  // namespace ppt::binary
