// Lets one other thread read a slide while the object model goes on with
// the others. The object model touches a slide's guard at the start of every
// call that reaches the slide; a touch withdraws the slide from the reader if
// it has not taken it yet, or waits until it is done with it. The revision
// counts the touches, so that what the reader made tells later whether the
// slide has been reached since.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace ppt {

class PartGuard {
public:
    // The object model's thread, before it reads or changes the part.
    void touch() noexcept
    {
        if (state_.load(std::memory_order_acquire) != kIdle) settle();
        revision_.store(revision_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    }
    std::uint32_t revision() const noexcept { return revision_.load(std::memory_order_relaxed); }

    // The object model's thread: the part may be read from now on, until
    // the next touch. False while the reader still has it.
    bool offer() noexcept
    {
        int idle = kIdle;
        return state_.compare_exchange_strong(idle, kOffered, std::memory_order_acq_rel);
    }
    // Either thread: the part is no longer offered, unless the reader has it.
    void withdraw() noexcept
    {
        int offered = kOffered;
        state_.compare_exchange_strong(offered, kIdle, std::memory_order_acq_rel);
    }
    // The reader: takes the part, unless it was touched since it was offered.
    bool take() noexcept
    {
        int offered = kOffered;
        return state_.compare_exchange_strong(offered, kReading, std::memory_order_acq_rel);
    }
    // The reader, done with it.
    void release() noexcept { state_.store(kIdle, std::memory_order_release); }

private:
    static constexpr int kIdle = 0, kOffered = 1, kReading = 2;

    void settle() noexcept
    {
        withdraw();
        // Being read: a slide takes well under a millisecond.
        while (state_.load(std::memory_order_acquire) != kIdle) std::this_thread::yield();
    }

    std::atomic<int> state_{kIdle};
    std::atomic<std::uint32_t> revision_{0};
};

// Work another thread does on a presentation's parts, stopped before the
// presentation goes.
class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
};

}  // namespace ppt
