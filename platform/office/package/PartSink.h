// Receives a package part by part.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "office/package/ByteSink.h"

namespace office {

// A part deflated already (raw deflate), with what the zip's directory says of it.
struct DeflatedPart {
    std::string name;
    std::uint32_t crc = 0;
    std::uint64_t size = 0;  // uncompressed
    std::string bytes;
};

class PartSink : public ByteSink {
public:
    // Writes whole entries (beginEntry, write..., endEntry) into the sink it gets.
    using Batch = std::function<void(PartSink&)>;

    virtual void beginEntry(const std::string& name) = 0;
    virtual void endEntry() = 0;
    // One entry whole.
    virtual void add(const std::string& name, std::string_view data)
    {
        beginEntry(name);
        write(data.data(), data.size());
        endEntry();
    }
    // Whether addDeflated() may be used: a sink that hands entries on whole
    // (to a test, to another format) wants them as written.
    virtual bool takesDeflated() const { return false; }
    virtual void addDeflated(DeflatedPart /*part*/) { throw std::logic_error("this sink takes parts as written"); }
    // Entries a batch makes, in their place among the others; a sink may run
    // it later on another thread, so what it refers to must stay unchanged
    // until writeBatches() returns or dropBatches() is called.
    virtual void addBatch(Batch batch) { batch(*this); }
    // Every batch added is written; rethrows what one of them threw.
    virtual void writeBatches() {}
    // After a failure: waits for the batches running now and forgets the rest.
    virtual void dropBatches() noexcept {}

protected:
    ~PartSink() = default;
};

}  // namespace office
