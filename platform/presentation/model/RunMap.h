// Run-length map from integer positions to values: a sorted list of runs,
// each covering [start, next start). The first run starts at 0 and the last
// one extends without end, so positions appended at the end take the value of
// the last run for free. Changes near the end cost O(runs touched).
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

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

    explicit RunMap(V initial = V{}) { runs_.push_back({0, std::move(initial)}); }

    const V& at(int pos) const { return runs_[indexOf(pos)].value; }
    const std::vector<Run>& runs() const { return runs_; }
    std::size_t runCount() const { return runs_.size(); }
    int runEnd(std::size_t i) const { return i + 1 < runs_.size() ? runs_[i + 1].start : kEnd; }

    // Index of the run holding pos.
    std::size_t indexOf(int pos) const
    {
        auto it = std::upper_bound(runs_.begin(), runs_.end(), pos,
                                   [](int p, const Run& r) { return p < r.start; });
        return it == runs_.begin() ? 0 : static_cast<std::size_t>(it - runs_.begin()) - 1;
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
        while (i < runs_.size() && runs_[i].start < to) {
            const int start = runs_[i].start;
            const int end = runEnd(i);
            V updated = runs_[i].value;
            change(updated);
            if (updated == runs_[i].value) {
                ++i;
                continue;
            }
            const int a = std::max(start, from);
            const int b = std::min(end, to);
            if (a > start) {
                runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, Run{a, runs_[i].value});
                ++i;
            }
            if (b < end) runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, Run{b, runs_[i].value});
            runs_[i].value = std::move(updated);
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
        for (auto it = runs_.rbegin(); it != runs_.rend(); ++it) {
            if (it->start < pos || it->start == 0) break;
            if (it->start == pos && keepRunAtPos) break;
            it->start += count;
        }
    }

private:
    // Merges equal neighbours around the changed stretch.
    void coalesce(int from, int to)
    {
        std::size_t first = indexOf(from);
        if (first > 0) --first;
        std::size_t last = to == kEnd ? runs_.size() - 1 : std::min(runs_.size() - 1, indexOf(to) + 1);
        std::size_t out = first;
        for (std::size_t i = first + 1; i <= last; ++i) {
            if (runs_[i].value == runs_[out].value) continue;
            ++out;
            if (out != i) runs_[out] = std::move(runs_[i]);
        }
        if (out < last) runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(out) + 1,
                                    runs_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    }

    std::vector<Run> runs_;
};

}  // namespace ppt
