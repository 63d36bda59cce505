#include "office/package/DeflatePool.h"

#include <libdeflate.h>

#include <algorithm>
#include <new>
#include <stdexcept>

namespace office {
namespace {

// Buffers up to this size (many times a slide) stay with their thread from
// one part to the next; a larger part (the content types of a long deck, a
// picture) gets its own, given back when it is done.
constexpr std::size_t kKeptBuffer = 256u << 10;

// libdeflate refuses a level outside 0..12.
libdeflate_compressor* newCompressor(int level)
{
    libdeflate_compressor* c = libdeflate_alloc_compressor(std::clamp(level, 0, 12));
    if (!c) throw std::bad_alloc();
    return c;
}

}  // namespace

// One thread's compressor and buffers: collects each entry a job writes and
// deflates it into the job's parts.
class DeflatePool::Maker final : public PartSink {
public:
    explicit Maker(int level) : compressor_(newCompressor(level)) {}
    ~Maker() = default;

    void into(std::vector<DeflatedPart>& parts) { parts_ = &parts; }
    void beginEntry(const std::string& name) override
    {
        parts_->emplace_back().name = name;
        entry_.clear();
    }
    void write(const char* data, std::size_t size) override { entry_.append(data, size); }
    std::string* appendBuffer() override { return &entry_; }
    void endEntry() override
    {
        deflate(entry_, parts_->back());
        if (entry_.capacity() > kKeptBuffer) std::string().swap(entry_);
    }
    void add(const std::string& name, std::string_view data) override
    {
        parts_->emplace_back().name = name;
        deflate(data, parts_->back());
    }

private:
    void deflate(std::string_view in, DeflatedPart& part)
    {
        if (in.size() > 0xffffffffu) throw std::length_error("a part of the package is too large");
        libdeflate_compressor* c = compressor_.get();
        part.size = in.size();
        part.crc = static_cast<std::uint32_t>(libdeflate_crc32(0, in.data(), in.size()));
        const std::size_t bound = libdeflate_deflate_compress_bound(c, in.size());
        if (bound <= kKeptBuffer) {
            if (scratch_.size() < bound) scratch_.resize(bound);
            const std::size_t made = libdeflate_deflate_compress(c, in.data(), in.size(), scratch_.data(), scratch_.size());
            part.bytes.assign(scratch_.data(), made);
            return;
        }
        // XML shrinks well below half; only what does not compress (pictures)
        // needs the full bound and a second pass.
        std::string& out = part.bytes;
        out.resize(in.size() / 2 + 1024);
        std::size_t made = libdeflate_deflate_compress(c, in.data(), in.size(), out.data(), out.size());
        if (made == 0) {
            out.resize(bound);
            made = libdeflate_deflate_compress(c, in.data(), in.size(), out.data(), out.size());
        }
        out.resize(made);
    }

    // A member type, not one of this file's own: a unity build includes this
    // file, and a class may not hold a type of an included file's anonymous namespace.
    struct FreeCompressor {
        void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
    };
    std::unique_ptr<libdeflate_compressor, FreeCompressor> compressor_;
    std::string entry_;    // the entry being collected
    std::string scratch_;  // deflate's output before it is copied to its exact size
    std::vector<DeflatedPart>* parts_ = nullptr;
};

DeflatePool::DeflatePool(int level, unsigned threads) : callerMaker_(std::make_unique<Maker>(level))
{
    makers_.reserve(threads);
    for (unsigned i = 0; i < threads; ++i) makers_.push_back(std::make_unique<Maker>(level));
    try {
        for (auto& maker : makers_) workers_.emplace_back([this, &maker] { work(*maker); });
    } catch (...) {
        stop();  // the threads already started
        throw;
    }
}

DeflatePool::~DeflatePool()
{
    drop();
    stop();
}

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
    return cores > 1 ? std::min(cores - 1, 3u) : 0;
}

void DeflatePool::run(Maker& maker, Queued& queued)
{
    try {
        maker.into(queued.parts);
        queued.job(maker);
    } catch (...) {
        queued.error = std::current_exception();
    }
    queued.job = nullptr;  // what it held (a whole part) is not needed any more
}

// Runs the first job not started on this thread; the lock is held before and after.
void DeflatePool::runNext(std::unique_lock<std::mutex>& lock, Maker& maker)
{
    Queued& queued = *jobs_[started_++];
    lock.unlock();
    run(maker, queued);
    lock.lock();
    queued.done = true;
    if (callerWaits_) jobDone_.notify_one();
}

void DeflatePool::work(Maker& maker)
{
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idle_;
        jobAdded_.wait(lock, [&] { return stopping_ || started_ < jobs_.size(); });
        --idle_;
        if (stopping_) return;
        runNext(lock, maker);
    }
}

void DeflatePool::submit(Job job, std::uint64_t weight)
{
    auto queued = std::make_unique<Queued>();
    queued->job = std::move(job);
    queued->weight = weight;
    std::unique_lock lock(mutex_);
    jobs_.push_back(std::move(queued));
    queuedBytes_ += weight;
    if (workers_.empty()) {
        runNext(lock, *callerMaker_);
    } else if (idle_ > 0) {
        lock.unlock();
        jobAdded_.notify_one();
    }
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

std::vector<DeflatedPart> DeflatePool::takeOldest()
{
    std::unique_ptr<Queued> queued;
    {
        std::unique_lock lock(mutex_);
        while (!jobs_.front()->done) {
            if (started_ < jobs_.size()) {
                runNext(lock, *callerMaker_);  // rather than wait
                continue;
            }
            callerWaits_ = true;
            jobDone_.wait(lock, [&] { return jobs_.front()->done; });
            callerWaits_ = false;
        }
        queued = std::move(jobs_.front());
        jobs_.pop_front();
        --started_;
        queuedBytes_ -= queued->weight;
    }
    if (queued->error) std::rethrow_exception(queued->error);
    return std::move(queued->parts);
}

void DeflatePool::drop() noexcept
{
    std::unique_lock lock(mutex_);
    jobs_.resize(started_);
    callerWaits_ = true;
    jobDone_.wait(lock, [&] { return std::all_of(jobs_.begin(), jobs_.end(), [](const auto& q) { return q->done; }); });
    callerWaits_ = false;
    jobs_.clear();
    started_ = 0;
    queuedBytes_ = 0;
}

}  // namespace office
