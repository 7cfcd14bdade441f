// The point shuffle: one single cycle through all numbers, positions kept.

#include <gtest/gtest.h>

#include <vector>

#include "shape_test_support.h"

namespace kaleidra {
namespace {

using shapetest::Numbered;
using shapetest::NumberOf;
using testing::FixedRandom;

TEST(Shuffle, SourceAlwaysZeroShiftsEveryPointDownOne) {
    PointSet set = Numbered();
    FixedRandom random(FixedRandom::End::Low);
    ShufflePoints(set, random);
    for (int k = 1; k <= 99; ++k)
        EXPECT_EQ(NumberOf(set[k]), k + 1) << k;
    EXPECT_EQ(NumberOf(set[100]), 1);
    EXPECT_EQ(random.draws, kPointCount);
    EXPECT_EQ(random.reseeds, 0);
}

TEST(Shuffle, SourceAlwaysAtTheTopShiftsEveryPointUpOne) {
    PointSet set = Numbered();
    FixedRandom random(FixedRandom::End::High);
    ShufflePoints(set, random);
    for (int k = 2; k <= 100; ++k)
        EXPECT_EQ(NumberOf(set[k]), k - 1) << k;
    EXPECT_EQ(NumberOf(set[1]), 100);
}

TEST(Shuffle, DrawsFromNinetyNineDownToTheEmptyRange) {
    PointSet set = Numbered();
    testing::ScriptedRandom random({});
    ShufflePoints(set, random);
    std::vector<int> want;
    for (int k = kPointCount; k >= 1; --k)
        want.push_back(k - 1);
    EXPECT_EQ(random.requested, want);
    EXPECT_EQ(random.reseeds, 0);
}

TEST(Shuffle, ScriptedDrawsPickTheSwapPartner) {
    // k = 100 swaps with 1 + 41, then every draw is 0: k = 99, 98, ... swap with 1.
    PointSet set = Numbered();
    testing::ScriptedRandom random({41});
    ShufflePoints(set, random);
    EXPECT_EQ(NumberOf(set[100]), 42);
    EXPECT_EQ(NumberOf(set[99]), 1);
    EXPECT_EQ(NumberOf(set[98]), 99);
    EXPECT_EQ(NumberOf(set[43]), 44);
    EXPECT_EQ(NumberOf(set[42]), 43);  // k = 42 took back what point 1 held
    EXPECT_EQ(NumberOf(set[41]), 100);
    EXPECT_EQ(NumberOf(set[1]), 2);
}

TEST(Shuffle, RealSourceMakesOneCycleWithNoFixedPointAndKeepsThePositions) {
    ClockRandomSource random;
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const PointSet before = Numbered();
        PointSet set = before;
        ShufflePoints(set, random);
        EXPECT_EQ(shapetest::SortedPositions(set), shapetest::SortedPositions(before));
        for (int k = 1; k <= kPointCount; ++k)
            ASSERT_NE(NumberOf(set[k]), k);
        std::vector<bool> seen(kPointCount + 1, false);
        int length = 0;
        int k = 1;
        do {
            ASSERT_FALSE(seen[k]);
            seen[k] = true;
            ++length;
            k = NumberOf(set[k]);
        } while (k != 1);
        EXPECT_EQ(length, kPointCount);
    }
}

TEST(Shuffle, KeepsTheShapeOfARealShape) {
    ClockRandomSource random;
    PointSet globe;
    BuildShape(10, globe, random);
    PointSet set = globe;
    ShufflePoints(set, random);
    EXPECT_NE(set, globe);
    EXPECT_EQ(shapetest::SortedPositions(set), shapetest::SortedPositions(globe));
}

}  // namespace
}  // namespace kaleidra
