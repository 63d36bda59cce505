// A zip archive written front to back into a byte sink (an AtomicFile). Each
// entry is collected whole, deflated on worker threads while the caller
// makes the next ones, and appended in order; a bounded amount waits in
// memory. Zip64 end records are written when the archive has more entries
// than the classic format counts. Throws std::length_error for an archive
// past 4 GiB, std::bad_alloc when memory runs out, and what the sink throws.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "office/package/ByteSink.h"
#include "office/package/DeflatePool.h"

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
    // `level` is libdeflate's (1 to 12); `threads` 0 compresses on the caller's.
    ZipWriter(ByteSink& out, int level, std::time_t modified = std::time(nullptr),
              unsigned threads = DeflatePool::usefulThreads());
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;
    ~ZipWriter() = default;

    void beginEntry(const std::string& name) override;
    void write(const char* data, std::size_t size) override;
    void endEntry() override;
    // One entry whole.
    void add(const std::string& name, std::string_view data);
    // Writes what is still queued and the central directory.
    void finish();

private:
    void writeOldest();

    struct Entry {
        std::string name;
        std::uint32_t crc = 0;
        std::uint64_t compressed = 0;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;
    };
    void putSharedFields(std::string& s, const Entry& e) const;
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
    DeflatePool pool_;
    std::vector<std::string> pieces_ = std::vector<std::string>(1);  // the entry being collected
    std::vector<Entry> entries_;
    std::size_t written_ = 0;    // entries_[0, written_) are in the archive
    std::uint16_t dosTime_ = 0, dosDate_ = 0;
};

}  // namespace office
