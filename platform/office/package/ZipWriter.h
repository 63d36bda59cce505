// A zip archive written front to back into a byte sink (an AtomicFile):
// each entry is deflated as its bytes arrive and followed by a data
// descriptor, so no entry is ever held whole in memory. Zip64 end records are
// written when the archive has more entries than the classic format counts.
// Throws std::length_error for an archive past 4 GiB, std::bad_alloc when
// zlib cannot start, and what the sink throws.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "office/package/ByteSink.h"
#include "office/package/Deflater.h"

namespace office {

// Receives a package part by part.
class PartSink : public ByteSink {
public:
    virtual void beginEntry(const std::string& name) = 0;
    virtual void endEntry() = 0;

protected:
    ~PartSink() = default;
};

class ZipWriter final : public PartSink {
public:
    // Entries are stamped with `modified` (local time, as zip tools show it).
    ZipWriter(ByteSink& out, int level, std::time_t modified = std::time(nullptr));
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;
    ~ZipWriter() = default;

    void beginEntry(const std::string& name) override;
    void write(const char* data, std::size_t size) override;
    void endEntry() override;
    // One entry whole.
    void add(const std::string& name, std::string_view data);
    void finish();

    std::uint64_t uncompressedBytes() const { return totalIn_; }

private:
    struct Entry {
        std::string name;
        std::uint32_t crc = 0;
        std::uint64_t compressed = 0;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;
    };
    // The sink, with the bytes it got counted: the entries' offsets.
    struct CountingSink final : ByteSink {
        explicit CountingSink(ByteSink& sink) : sink(sink) {}
        void write(const char* data, std::size_t size) override
        {
            sink.write(data, size);
            written += size;
        }
        ByteSink& sink;
        std::uint64_t written = 0;
    };

    CountingSink out_;
    Deflater deflater_;
    std::vector<Entry> entries_;
    std::uint64_t totalIn_ = 0;
    std::uint16_t dosTime_ = 0, dosDate_ = 0;
};

}  // namespace office
