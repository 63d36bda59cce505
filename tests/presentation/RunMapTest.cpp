// The run-length map against a plain array of values, over random edits.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "model/RunMap.h"

namespace {

using ppt::RunMap;

template <class V>
std::vector<V> expand(const RunMap<V>& map, int size)
{
    std::vector<V> out(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) out[static_cast<std::size_t>(i)] = map.at(i);
    return out;
}

TEST(RunMap, AppliesMergesAndInsertsLikeAnArray)
{
    std::mt19937 random(7);
    RunMap<int> map(0);
    std::vector<int> plain(50, 0);
    for (int step = 0; step < 3000; ++step) {
        const int size = static_cast<int>(plain.size());
        const int a = static_cast<int>(random() % static_cast<unsigned>(size));
        const int b = a + static_cast<int>(random() % static_cast<unsigned>(size - a + 1));
        if (random() % 4 == 0) {
            // Insert: the new positions take the value before them.
            const int count = 1 + static_cast<int>(random() % 3);
            const int value = a > 0 ? plain[static_cast<std::size_t>(a) - 1] : plain[0];
            map.insertGap(a, count);
            plain.insert(plain.begin() + a, static_cast<std::size_t>(count), value);
            continue;
        }
        const int value = static_cast<int>(random() % 3);
        int changedCount = 0;
        map.apply(a, b, [value](int& v) { v = value; }, [&](int from, int to) { changedCount += to - from; });
        int expectedChanges = 0;
        for (int i = a; i < b; ++i) {
            expectedChanges += plain[static_cast<std::size_t>(i)] != value;
            plain[static_cast<std::size_t>(i)] = value;
        }
        ASSERT_EQ(changedCount, expectedChanges) << "step " << step;
        ASSERT_EQ(expand(map, static_cast<int>(plain.size())), plain) << "step " << step;
        // Neighbouring runs always differ.
        for (std::size_t i = 1; i < map.runCount(); ++i) ASSERT_NE(map.run(i).value, map.run(i - 1).value);
    }
}

TEST(RunMap, SplitsWalkingToTheFrontAndBackKeepEveryValue)
{
    // Links are set from the last to the first, so each split lands just
    // before the previous one; then a pass from the front changes them again.
    // Strings, as a run moved from is left empty.
    constexpr int kLinks = 3000;
    RunMap<std::string> map("-");
    std::vector<std::string> plain(3 * kLinks, "-");
    const auto set = [&](int from, int to, const std::string& value) {
        map.apply(from, to, [&value](std::string& v) { v = value; }, [](int, int) {});
        std::fill(plain.begin() + from, plain.begin() + to, value);
    };
    for (int k = kLinks - 1; k >= 0; --k) set(3 * k, 3 * k + 2, std::to_string(k));
    EXPECT_EQ(map.runCount(), 2u * kLinks);
    map.insertGap(4, 2);  // text typed inside the second link
    plain.insert(plain.begin() + 4, 2, plain[3]);
    for (int k = 0; k < kLinks - 2; k += 2) set(3 * k + 7, 3 * k + 9, "x");
    ASSERT_EQ(expand(map, static_cast<int>(plain.size())), plain);
    for (std::size_t i = 1; i < map.runCount(); ++i) ASSERT_NE(map.run(i).value, map.run(i - 1).value);
}

TEST(RunMap, SettingTheValueAlreadyThereTouchesNothingAndTheInsertionPointKeepsItsValue)
{
    RunMap<int> map(1);
    map.apply(10, RunMap<int>::kEnd, [](int& v) { v = 2; }, [](int, int) {});  // format set at the end of 10 positions
    ASSERT_EQ(map.runCount(), 2u);
    bool told = false;
    EXPECT_FALSE(map.apply(12, RunMap<int>::kEnd, [](int& v) { v = 2; }, [&](int, int) { told = true; }));
    EXPECT_FALSE(told);
    EXPECT_EQ(map.runCount(), 2u);
    map.insertGap(10, 3, true);
    EXPECT_EQ(map.at(9), 1);
    EXPECT_EQ(map.at(10), 2);
    EXPECT_EQ(map.at(12), 2);
}

}  // namespace
