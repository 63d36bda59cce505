// Whole package parts deflated (raw deflate, libdeflate) on worker threads
// and handed back in the order they were queued, so that a zip writer can
// append them in order while the next parts are still being compressed.
// With no worker threads every part is compressed when it is queued.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct libdeflate_compressor;

namespace office {

struct DeflatedPart {
    std::uint32_t crc = 0;
    std::uint64_t size = 0;  // uncompressed
    std::string bytes;       // raw deflate
};

class DeflatePool {
public:
    // Throws std::bad_alloc when a compressor cannot be made.
    DeflatePool(int level, unsigned threads);
    DeflatePool(const DeflatePool&) = delete;
    DeflatePool& operator=(const DeflatePool&) = delete;
    // Parts still queued are dropped.
    ~DeflatePool();

    void submit(std::string data);
    std::size_t queued() const;
    std::uint64_t queuedBytes() const;
    // The oldest queued part once it is compressed; rethrows what its
    // compression threw. Only when queued() > 0.
    DeflatedPart takeOldest();
    // The oldest part is compressed already.
    bool oldestReady() const;

    // Workers worth starting on this machine: one per core (at most four),
    // none on a single core, where the caller compresses.
    static unsigned usefulThreads();

private:
    struct Compressor {
        void operator()(libdeflate_compressor* c) const;
    };
    using CompressorPtr = std::unique_ptr<libdeflate_compressor, Compressor>;
    struct Job {
        std::string data;
        DeflatedPart result;
        std::exception_ptr error;
        std::uint64_t weight = 0;  // bytes it holds while queued
        bool done = false;
    };

    static void compress(libdeflate_compressor& compressor, Job& job);
    void stop();
    void work(libdeflate_compressor& compressor);

    CompressorPtr inline_;  // for a pool without threads
    std::vector<CompressorPtr> compressors_;
    mutable std::mutex mutex_;
    std::condition_variable jobAdded_, jobDone_;
    std::deque<std::unique_ptr<Job>> jobs_;
    std::size_t started_ = 0;  // jobs_[0, started_) are taken by workers or done
    std::uint64_t queuedBytes_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace office
