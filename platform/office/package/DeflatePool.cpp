#include "office/package/DeflatePool.h"

#include <libdeflate.h>

#include <algorithm>
#include <new>

namespace office {

void DeflatePool::Compressor::operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }

namespace {

// libdeflate refuses a level outside 0..12.
libdeflate_compressor* newCompressor(int level)
{
    libdeflate_compressor* c = libdeflate_alloc_compressor(std::clamp(level, 0, 12));
    if (!c) throw std::bad_alloc();
    return c;
}

}  // namespace

DeflatePool::DeflatePool(int level, unsigned threads)
{
    if (threads == 0) {
        inline_.reset(newCompressor(level));
        return;
    }
    compressors_.reserve(threads);
    for (unsigned i = 0; i < threads; ++i) {
        CompressorPtr compressor(newCompressor(level));  // owned before the vector may throw
        compressors_.push_back(std::move(compressor));
    }
    try {
        for (auto& c : compressors_) workers_.emplace_back([this, &c] { work(*c); });
    } catch (...) {
        stop();  // the threads already started
        throw;
    }
}

DeflatePool::~DeflatePool() { stop(); }

void DeflatePool::stop()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    jobAdded_.notify_all();
    for (std::thread& worker : workers_)
        if (worker.joinable()) worker.join();
}

unsigned DeflatePool::usefulThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? std::min(cores, 4u) : 0;
}

void DeflatePool::compress(libdeflate_compressor& compressor, Job& job)
{
    try {
        const std::string& in = job.data;
        job.result.size = in.size();
        job.result.crc = static_cast<std::uint32_t>(libdeflate_crc32(0, in.data(), in.size()));
        // The buffer submit() made holds half the part: XML shrinks well below
        // that, so only what does not compress (pictures) needs the full bound
        // and a second pass.
        std::string& out = job.result.bytes;
        std::size_t made = libdeflate_deflate_compress(&compressor, in.data(), in.size(), out.data(), out.size());
        if (made == 0) {
            out.resize(libdeflate_deflate_compress_bound(&compressor, in.size()));
            made = libdeflate_deflate_compress(&compressor, in.data(), in.size(), out.data(), out.size());
        }
        out.resize(made);
        std::string().swap(job.data);  // the uncompressed copy is not needed any more
    } catch (...) {
        job.error = std::current_exception();
    }
}

void DeflatePool::work(libdeflate_compressor& compressor)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        jobAdded_.wait(lock, [&] { return stopping_ || started_ < jobs_.size(); });
        if (stopping_) return;
        Job& job = *jobs_[started_++];
        lock.unlock();
        compress(compressor, job);
        lock.lock();
        job.done = true;
        jobDone_.notify_all();
    }
}

void DeflatePool::submit(std::string data)
{
    auto job = std::make_unique<Job>();
    job->data = std::move(data);
    job->weight = job->data.size();
    // Made on the caller's thread: workers that allocate nothing keep no
    // memory arenas of their own.
    job->result.bytes.resize(job->data.size() / 2 + 1024);
    if (inline_) {
        compress(*inline_, *job);
        job->done = true;
    }
    {
        std::lock_guard lock(mutex_);
        queuedBytes_ += job->weight;
        jobs_.push_back(std::move(job));
        if (inline_) started_ = jobs_.size();
    }
    jobAdded_.notify_one();
}

std::size_t DeflatePool::queued() const
{
    std::lock_guard lock(mutex_);
    return jobs_.size();
}

std::uint64_t DeflatePool::queuedBytes() const
{
    std::lock_guard lock(mutex_);
    return queuedBytes_;
}

bool DeflatePool::oldestReady() const
{
    std::lock_guard lock(mutex_);
    return !jobs_.empty() && jobs_.front()->done;
}

DeflatedPart DeflatePool::takeOldest()
{
    std::unique_ptr<Job> job;
    {
        std::unique_lock lock(mutex_);
        jobDone_.wait(lock, [&] { return jobs_.front()->done; });
        job = std::move(jobs_.front());
        jobs_.pop_front();
        --started_;
        queuedBytes_ -= job->weight;
    }
    if (job->error) std::rethrow_exception(job->error);
    return std::move(job->result);
}

}  // namespace office
