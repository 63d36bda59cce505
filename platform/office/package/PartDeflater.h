// One thread's compressor and buffers: collects each entry written into it
// and deflates it (raw deflate, libdeflate) into the parts it is given,
// keeping its buffers from one part to the next. A part that grows long (the
// content types of a long deck) is deflated as it comes instead (zlib's
// stream), so that it never waits whole.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "office/package/PartSink.h"

struct libdeflate_compressor;

namespace office {

class PartDeflater final : public PartSink {
public:
    // Throws std::bad_alloc when the compressor cannot be made.
    explicit PartDeflater(int level);
    ~PartDeflater();
    PartDeflater(const PartDeflater&) = delete;
    PartDeflater& operator=(const PartDeflater&) = delete;

    // Where the next entries go.
    void into(std::vector<DeflatedPart>& parts) { parts_ = &parts; }

    void beginEntry(const std::string& name) override;
    void write(const char* data, std::size_t size) override;
    std::string* appendBuffer() override { return &entry_; }
    void appended() override;
    void endEntry() override;
    void add(const std::string& name, std::string_view data) override;
    bool takesDeflated() const override { return true; }
    void addDeflated(DeflatedPart part) override { parts_->push_back(std::move(part)); }

private:
    struct Stream;
    void deflate(std::string_view in, DeflatedPart& part);
    // Deflates what entry_ holds into the part's stream; `finish` ends it.
    void stream(bool finish);

    struct FreeCompressor {
        void operator()(libdeflate_compressor* c) const;
    };
    int level_;
    std::unique_ptr<libdeflate_compressor, FreeCompressor> compressor_;
    std::unique_ptr<Stream> stream_;  // while a long part is written
    std::string entry_;    // the entry being collected
    std::string scratch_;  // deflate's output before it is copied to its exact size
    std::vector<DeflatedPart>* parts_ = nullptr;
};

}  // namespace office
