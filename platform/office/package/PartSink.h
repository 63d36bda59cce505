// Receives a package part by part.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "office/package/ByteSink.h"

namespace office {

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
