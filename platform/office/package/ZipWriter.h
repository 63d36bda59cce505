// A zip archive written front to back into a byte sink (an AtomicFile). Each
// entry is collected whole, deflated on worker threads while the caller
// makes the next ones, and appended in order; batches of entries are made
// and deflated on the workers too. A bounded amount waits in memory. Zip64 end records are written when the archive has more entries
// than the classic format counts. Throws std::length_error for an archive
// past 4 GiB, std::bad_alloc when memory runs out, and what the sink throws.
#pragma once

#include <cstdint>
#include <ctime>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "office/package/DeflatePool.h"
#include "office/package/PartSink.h"

namespace office {

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
    void add(const std::string& name, std::string_view data) override;
    void addBatch(Batch batch) override;
    void writeBatches() override;
    void dropBatches() noexcept override;
    // Writes what is still queued and the central directory.
    void finish();

private:
    void keepQueueBounded();
    void writeOldest();

    // An entry of the central directory; its name is kept in names_, as a
    // long deck has tens of thousands of entries until the end of the save.
    struct Entry {
        std::size_t nameAt = 0;
        std::uint16_t nameLength = 0;
        std::uint32_t crc = 0;
        std::uint64_t compressed = 0;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;
    };
    std::string_view nameOf(const Entry& e) const { return std::string_view(names_).substr(e.nameAt, e.nameLength); }
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
    std::string name_;                                                 // the entry being collected
    std::vector<std::string> pieces_ = std::vector<std::string>(1);  // and its bytes
    std::deque<Entry> entries_;  // those in the archive: a deque grows without copying them
    std::string names_;          // their names, one after another
    std::uint16_t dosTime_ = 0, dosDate_ = 0;
};

}  // namespace office
