#include "office/package/DeflatePool.h"

#include <algorithm>

namespace office {

DeflatePool::DeflatePool(int level, unsigned threads) : callerPartDeflater_(std::make_unique<PartDeflater>(level))
{
    makers_.reserve(threads);
    for (unsigned i = 0; i < threads; ++i) makers_.push_back(std::make_unique<PartDeflater>(level));
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

void DeflatePool::run(PartDeflater& maker, Queued& queued)
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
void DeflatePool::runNext(std::unique_lock<std::mutex>& lock, PartDeflater& maker)
{
    Queued& queued = *jobs_[started_++];
    lock.unlock();
    run(maker, queued);
    lock.lock();
    queued.done = true;
    if (callerWaits_) jobDone_.notify_one();
}

void DeflatePool::work(PartDeflater& maker)
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
        runNext(lock, *callerPartDeflater_);
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
                runNext(lock, *callerPartDeflater_);  // rather than wait
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
