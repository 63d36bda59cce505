// One zip entry's data compressed (raw deflate, zlib) as it arrives, with
// its CRC and sizes counted. Apart from the archive it ends up in, so that a
// part can be compressed ahead (on another thread, into memory) and its
// bytes appended later.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "office/package/ByteSink.h"

namespace office {

class Deflater {
public:
    // Throws std::bad_alloc when zlib cannot start.
    explicit Deflater(int level);
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    ~Deflater();

    // Starts a new entry.
    void reset();
    // Compressed bytes go to out as they are made.
    void add(const char* data, std::size_t size, ByteSink& out);
    void finish(ByteSink& out);

    std::uint32_t crc() const { return crc_; }
    std::uint64_t size() const { return size_; }
    std::uint64_t compressedSize() const { return compressed_; }

private:
    void deflateSome(int flush, ByteSink& out);

    z_stream stream_{};
    std::vector<char> buffer_;
    std::uint32_t crc_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t compressed_ = 0;
};

}  // namespace office
