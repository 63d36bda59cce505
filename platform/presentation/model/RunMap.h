// Run-length map from integer positions to values: a sorted list of runs,
// each covering [start, next start). The first run starts at 0 and the last
// one extends without end, so positions appended at the end take the value of
// the last run for free.
//
// The runs live in a gap buffer: a vector with a hole that moves to where runs
// were last split or merged. Changes at the end cost O(runs touched), and so
// does a series of changes walking through the text from any point (links set
// from the last to the first split runs ever nearer the front), once one move
// of the hole has brought it there.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/Growth.h"

namespace ppt {

template <class V>
class RunMap {
public:
    struct Run {
        int start;
        V value;
    };
    // "To the end, including positions appended later".
    static constexpr int kEnd = 0x7fffffff;

    explicit RunMap(V initial = V{}) : single_{0, std::move(initial)} {}

    const V& at(int pos) const { return run(indexOf(pos)).value; }
    // Run i, counted from the front (0 .. runCount() - 1).
    const Run& run(std::size_t i) const { return buf_.empty() ? single_ : buf_[physical(i)]; }
    std::size_t runCount() const { return buf_.empty() ? 1 : buf_.size() - gapSize(); }
    int runEnd(std::size_t i) const { return i + 1 < runCount() ? run(i + 1).start : kEnd; }

    // Index of the run holding pos.
    std::size_t indexOf(int pos) const
    {
        // First run starting after pos, then one back.
        std::size_t low = 0;
        std::size_t high = runCount();
        while (low < high) {
            const std::size_t mid = low + (high - low) / 2;
            if (pos < run(mid).start)
                high = mid;
            else
                low = mid + 1;
        }
        return low == 0 ? 0 : low - 1;
    }

    // Applies change(V&) to every position in [from, to). change may leave a
    // value as it was; then nothing is split or touched. changed(a, b) hears of
    // each stretch whose value really changed (b may be kEnd). Returns whether
    // anything changed.
    template <class Change, class Changed>
    bool apply(int from, int to, Change&& change, Changed&& changed)
    {
        if (from >= to) return false;
        bool any = false;
        std::size_t i = indexOf(from);
        while (i < runCount() && run(i).start < to) {
            const int start = run(i).start;
            const int end = runEnd(i);
            V updated = run(i).value;
            change(updated);
            if (updated == run(i).value) {
                ++i;
                continue;
            }
            const int a = std::max(start, from);
            const int b = std::min(end, to);
            if (a > start) {
                insertRun(i + 1, Run{a, run(i).value});
                ++i;
            }
            if (b < end) insertRun(i + 1, Run{b, run(i).value});
            mutableRun(i).value = std::move(updated);
            changed(a, b);
            any = true;
            ++i;
        }
        if (any) coalesce(from, to);
        return any;
    }

    // Makes room for count new positions at pos, shifting the runs that start
    // at or after pos; the new positions take the value of pos - 1. With
    // keepRunAtPos a run starting exactly at pos stays there (the new positions
    // take its value: formatting set on an insertion point).
    void insertGap(int pos, int count, bool keepRunAtPos = false)
    {
        if (count <= 0) return;
        for (std::size_t i = runCount(); i-- > 0;) {
            Run& r = mutableRun(i);
            if (r.start < pos || r.start == 0) break;
            if (r.start == pos && keepRunAtPos) break;
            r.start += count;
        }
    }

private:
    std::size_t gapSize() const { return std::size_t{gapEnd_} - gapBegin_; }
    std::size_t physical(std::size_t i) const { return i < gapBegin_ ? i : i + gapSize(); }
    Run& mutableRun(std::size_t i) { return buf_.empty() ? single_ : buf_[physical(i)]; }

    // Moves the hole so that it sits before run i.
    void moveGapTo(std::size_t i)
    {
        if (gapSize() == 0) {
            // Nothing to move (and moving a run onto itself may empty it).
            gapBegin_ = gapEnd_ = static_cast<Index>(i);
            return;
        }
        if (i < gapBegin_) {
            std::move_backward(buf_.begin() + static_cast<std::ptrdiff_t>(i),
                               buf_.begin() + static_cast<std::ptrdiff_t>(gapBegin_),
                               buf_.begin() + static_cast<std::ptrdiff_t>(gapEnd_));
        } else if (i > gapBegin_) {
            std::move(buf_.begin() + static_cast<std::ptrdiff_t>(gapEnd_),
                      buf_.begin() + static_cast<std::ptrdiff_t>(gapEnd_ + (i - gapBegin_)),
                      buf_.begin() + static_cast<std::ptrdiff_t>(gapBegin_));
        }
        gapEnd_ = static_cast<Index>(i + gapSize());
        gapBegin_ = static_cast<Index>(i);
    }

    // Makes r run i; the runs from i on move up one.
    void insertRun(std::size_t i, Run r)
    {
        if (buf_.empty()) buf_.push_back(single_);
        if (i == runCount()) {  // after the last run: past the hole, as a plain vector grows
            makeRoom(buf_, buf_.size() + 1);
            buf_.push_back(std::move(r));
            return;
        }
        moveGapTo(i);
        if (gapSize() == 0) {
            // A hole in proportion to the runs keeps the copying amortized O(1).
            const std::size_t room = runCount() / 2 + 8;
            buf_.insert(buf_.begin() + static_cast<std::ptrdiff_t>(i), room, r);
            gapEnd_ = static_cast<Index>(gapBegin_ + room);
        }
        buf_[gapBegin_++] = std::move(r);
    }

    // Drops runs [first, last).
    void eraseRuns(std::size_t first, std::size_t last)
    {
        moveGapTo(first);
        gapEnd_ = static_cast<Index>(gapEnd_ + (last - first));
    }

    // Merges equal neighbours around the changed stretch.
    void coalesce(int from, int to)
    {
        std::size_t first = indexOf(from);
        if (first > 0) --first;
        const std::size_t count = runCount();
        std::size_t last = to == kEnd ? count - 1 : std::min(count - 1, indexOf(to) + 1);
        std::size_t out = first;
        for (std::size_t i = first + 1; i <= last; ++i) {
            if (run(i).value == run(out).value) continue;
            ++out;
            if (out != i) mutableRun(out) = std::move(mutableRun(i));
        }
        if (out < last) eraseRuns(out + 1, last + 1);
    }

    // Most maps never split their first run (a frame in one format): it is
    // kept here, and buf_ stays unallocated until a second run comes.
    Run single_;
    // Positions are ints, so there are never more runs than a 32-bit index counts.
    using Index = std::uint32_t;
    std::vector<Run> buf_;  // runs [0, gapBegin_) then the hole then the rest
    Index gapBegin_ = 0;
    Index gapEnd_ = 0;
};

}  // namespace ppt
