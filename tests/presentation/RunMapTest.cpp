// The run-length map against a plain array of values, over random edits.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "model/RunMap.h"

namespace {

using ppt::RunMap;

std::vector<int> expand(const RunMap<int>& map, int size)
{
    std::vector<int> out(static_cast<std::size_t>(size));
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
        for (std::size_t i = 1; i < map.runCount(); ++i) ASSERT_NE(map.runs()[i].value, map.runs()[i - 1].value);
    }
}

TEST(RunMap, SettingTheValueAlreadyThereTouchesNothing)
{
    RunMap<int> map(1);
    map.apply(10, RunMap<int>::kEnd, [](int& v) { v = 2; }, [](int, int) {});
    ASSERT_EQ(map.runCount(), 2u);
    bool told = false;
    EXPECT_FALSE(map.apply(12, RunMap<int>::kEnd, [](int& v) { v = 2; }, [&](int, int) { told = true; }));
    EXPECT_FALSE(told);
    EXPECT_EQ(map.runCount(), 2u);
}

TEST(RunMap, InsertionPointRunKeepsItsValueForAppendedPositions)
{
    RunMap<int> map(0);
    map.apply(5, RunMap<int>::kEnd, [](int& v) { v = 9; }, [](int, int) {});  // format set at the end of 5 positions
    map.insertGap(5, 3, true);
    EXPECT_EQ(map.at(4), 0);
    EXPECT_EQ(map.at(5), 9);
    EXPECT_EQ(map.at(7), 9);
}

}  // namespace
