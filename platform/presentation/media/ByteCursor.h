// Bounds-checked reading of little- and big-endian fields from a buffer.
// Reading past the end sets `truncated` and yields zeros, so a parser can
// check once at a natural point instead of after every field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pptmedia {

class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> data, std::size_t offset = 0) : data_(data), pos_(offset)
    {
        if (offset > data.size()) truncated_ = true;
    }

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return pos_ <= data_.size() ? data_.size() - pos_ : 0; }
    bool truncated() const { return truncated_; }
    bool atEnd() const { return remaining() == 0; }

    bool skip(std::size_t count)
    {
        if (count > remaining()) {
            truncated_ = true;
            pos_ = data_.size();
            return false;
        }
        pos_ += count;
        return true;
    }

    std::uint8_t u8()
    {
        if (remaining() < 1) return fail<std::uint8_t>();
        return data_[pos_++];
    }
    std::uint16_t u16be()
    {
        if (remaining() < 2) return fail<std::uint16_t>();
        std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] << 8 | data_[pos_ + 1]);
        pos_ += 2;
        return v;
    }
    std::uint32_t u32be()
    {
        if (remaining() < 4) return fail<std::uint32_t>();
        std::uint32_t v = std::uint32_t(data_[pos_]) << 24 | std::uint32_t(data_[pos_ + 1]) << 16 |
                          std::uint32_t(data_[pos_ + 2]) << 8 | data_[pos_ + 3];
        pos_ += 4;
        return v;
    }
    std::uint16_t u16le()
    {
        if (remaining() < 2) return fail<std::uint16_t>();
        std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
        pos_ += 2;
        return v;
    }
    std::uint32_t u32le()
    {
        if (remaining() < 4) return fail<std::uint32_t>();
        std::uint32_t v = data_[pos_] | std::uint32_t(data_[pos_ + 1]) << 8 | std::uint32_t(data_[pos_ + 2]) << 16 |
                          std::uint32_t(data_[pos_ + 3]) << 24;
        pos_ += 4;
        return v;
    }
    std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }

    // The next `count` bytes without consuming them (empty if fewer remain).
    std::span<const std::uint8_t> peek(std::size_t count) const
    {
        if (count > remaining()) return {};
        return data_.subspan(pos_, count);
    }

private:
    template <typename T>
    T fail()
    {
        truncated_ = true;
        pos_ = data_.size();
        return T{};
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_;
    bool truncated_ = false;
};

}  // namespace pptmedia
