// A zip archive written front to back into a file: each entry is deflated
// (zlib, raw) as its bytes arrive, followed by a data descriptor, so no entry
// is ever held whole in memory. Zip64 end records are written when the
// archive has more entries than the classic format counts.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "package/AtomicFile.h"

namespace ppt {

class ByteSink {
public:
    virtual void write(const char* data, std::size_t size) = 0;

protected:
    ~ByteSink() = default;
};

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
    ZipWriter(AtomicFile& out, int level);
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;
    ~ZipWriter();

    void beginEntry(const std::string& name) override;
    void write(const char* data, std::size_t size) override;
    void endEntry() override;
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
    void deflateSome(int flush);

    AtomicFile& out_;
    z_stream stream_{};
    bool streamReady_ = false;
    bool inEntry_ = false;
    std::vector<Entry> entries_;
    std::vector<char> buffer_;
    std::uint64_t totalIn_ = 0;
    std::uint16_t dosTime_ = 0, dosDate_ = 0;
};

}  // namespace ppt
