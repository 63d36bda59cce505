// Package parts made and deflated (raw deflate, libdeflate) on worker
// threads and handed back in the order their jobs were queued, so that a zip
// writer can append them in order while later jobs still run. A job writes
// whole entries into the sink it is given; each thread keeps its compressor
// and buffers from one part to the next. The caller runs queued jobs itself
// while it waits for the oldest; with no worker threads every job runs when
// it is queued.
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

#include "office/package/PartDeflater.h"

namespace office {

class DeflatePool {
public:
    using Job = PartSink::Batch;

    // Throws std::bad_alloc when a compressor cannot be made.
    DeflatePool(int level, unsigned threads);
    DeflatePool(const DeflatePool&) = delete;
    DeflatePool& operator=(const DeflatePool&) = delete;
    // Jobs not started are dropped.
    ~DeflatePool();

    // weight: the bytes the job holds while it waits.
    void submit(Job job, std::uint64_t weight = 0);
    std::size_t queued() const;
    std::uint64_t queuedBytes() const;
    // The parts of the oldest job once it has run; rethrows what it threw.
    // Only when queued() > 0.
    std::vector<DeflatedPart> takeOldest();
    // The oldest job has run already.
    bool oldestReady() const;
    // Waits for the jobs running now and drops the others.
    void drop() noexcept;

    // Workers worth starting beside the caller, who works too: one per
    // further core (at most three), none on a single core.
    static unsigned usefulThreads();

private:
    struct Queued {
        Job job;
        std::vector<DeflatedPart> parts;
        std::exception_ptr error;
        std::uint64_t weight = 0;
        bool done = false;
    };

    static void run(PartDeflater& maker, Queued& queued);
    void runNext(std::unique_lock<std::mutex>& lock, PartDeflater& maker);
    void stop();
    void work(PartDeflater& maker);

    std::unique_ptr<PartDeflater> callerPartDeflater_;  // for the jobs the caller runs
    std::vector<std::unique_ptr<PartDeflater>> makers_;
    mutable std::mutex mutex_;
    std::condition_variable jobAdded_, jobDone_;
    std::deque<std::unique_ptr<Queued>> jobs_;
    std::size_t started_ = 0;  // jobs_[0, started_) are taken or done
    std::uint64_t queuedBytes_ = 0;
    unsigned idle_ = 0;        // workers waiting for a job
    bool callerWaits_ = false;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace office
