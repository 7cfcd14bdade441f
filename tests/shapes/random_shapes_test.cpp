// The random shapes, the two scalings, their draws and their reseeds.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/fp_checks.h"
#include "shape_test_support.h"

namespace kaleidra {
namespace {

using shapetest::AllAt;
using shapetest::Built;
using testing::FixedRandom;
using testing::ScriptedRandom;

constexpr double kSphereCorner = 46.18802153517006;  // 80 / sqrt(3)

struct EndCase {
    FixedRandom::End end;
    double cube, corner, sphere, grow, shrink;
};

const EndCase kEnds[] = {
    {FixedRandom::End::Low, -55, -45, -kSphereCorner, 1.3, 1.5},
    {FixedRandom::End::High, 54, 44, kSphereCorner, 1.48, 3.3},
};

TEST(RandomShapes, SourceAtEitherEndOfItsRange) {
    for (const EndCase& c : kEnds) {
        SCOPED_TRACE(c.end == FixedRandom::End::Low ? "always 0" : "always n - 1");
        FixedRandom random(c.end);
        const PointSet cube = Built(1, random);
        const PointSet corner = Built(12, random);
        const PointSet sphere = Built(22, random);
        for (int k = 1; k <= kPointCount; ++k) {
            EXPECT_EQ(cube[k], (Point3D{c.cube, c.cube, c.cube})) << k;
            EXPECT_EQ(corner[k], (Point3D{c.corner, c.corner, c.corner})) << k;
            EXPECT_NEAR(sphere[k].x, c.sphere, 1e-12) << k;
            EXPECT_NEAR(sphere[k].y, c.sphere, 1e-12) << k;
            EXPECT_NEAR(sphere[k].z, c.sphere, 1e-12) << k;
        }
        const PointSet lattice = Built(2);
        const PointSet grown = Built(13, random, lattice);
        const PointSet shrunk = Built(23, random, lattice);
        for (int k = 1; k <= kPointCount; ++k) {
            EXPECT_DOUBLE_EQ(grown[k].x, lattice[k].x * c.grow) << k;
            EXPECT_DOUBLE_EQ(grown[k].y, lattice[k].y * c.grow) << k;
            EXPECT_DOUBLE_EQ(grown[k].z, lattice[k].z * c.grow) << k;
            EXPECT_DOUBLE_EQ(shrunk[k].x, lattice[k].x / c.shrink) << k;
            EXPECT_DOUBLE_EQ(shrunk[k].y, lattice[k].y / c.shrink) << k;
            EXPECT_DOUBLE_EQ(shrunk[k].z, lattice[k].z / c.shrink) << k;
        }
    }
}

TEST(RandomShapes, LowEndFactorsAreExact) {
    FixedRandom random(FixedRandom::End::Low);
    const PointSet lattice = Built(2);
    const PointSet grown = Built(13, random, lattice);
    const PointSet shrunk = Built(23, random, lattice);
    EXPECT_EQ(grown[100], (Point3D{40 * 1.3, 35 * 1.3, 40 * 1.3}));
    EXPECT_EQ(shrunk[100], (Point3D{40 / 1.5, 35 / 1.5, 40 / 1.5}));
}

struct DrawCase {
    int shape;
    int range;   // n of every draw
    int offset;  // what a draw has subtracted from it
};

// Each point takes three draws in the order x, y, z, stored one by one.
TEST(RandomShapes, DrawsComeInTheOrderXYZ) {
    for (const DrawCase& c : {DrawCase{1, 110, 55}, DrawCase{12, 40, 20}}) {
        SCOPED_TRACE("shape " + std::to_string(c.shape));
        std::vector<int> script;
        for (int i = 0; i < 3 * kPointCount; ++i)
            script.push_back((7 * i + 3) % c.range);
        ScriptedRandom random(script);
        const PointSet set = Built(c.shape, random);
        EXPECT_EQ(random.requested, std::vector<int>(3 * kPointCount, c.range));
        for (int k = 1; k <= kPointCount; ++k) {
            const double raw[] = {double(script[3 * (k - 1)] - c.offset),
                                  double(script[3 * (k - 1) + 1] - c.offset),
                                  double(script[3 * (k - 1) + 2] - c.offset)};
            double want[3];
            for (int a = 0; a < 3; ++a) {
                want[a] = c.shape == 1 ? raw[a] : raw[a] < 0 ? raw[a] - 25 : raw[a] + 25;
            }
            EXPECT_EQ(set[k], (Point3D{want[0], want[1], want[2]})) << k;
        }
    }
}

TEST(RandomShapes, SphereShellDrawsDxDyDzPerPoint) {
    ScriptedRandom random({41, 40, 40, 40, 42, 40, 40, 40, 44});
    const PointSet set = Built(22, random);
    EXPECT_EQ(random.requested, std::vector<int>(3 * kPointCount, 80));
    EXPECT_EQ(set[1], (Point3D{80, 0, 0}));
    EXPECT_EQ(set[2], (Point3D{0, 80, 0}));
    EXPECT_EQ(set[3], (Point3D{0, 0, 80}));
}

// Over many builds of the real source: whole coordinates from `low` to `high`,
// none inside the open band (band_low, band_high) of the middle.
struct RangeCase {
    int shape;
    int low;
    int high;
    int band_low;
    int band_high;
};

TEST(RandomShapes, RandomCubeAndCornerBlocksReachTheirEndsAndLeaveTheirBandEmpty) {
    for (const RangeCase& r : {RangeCase{1, -55, 54, 0, 0}, RangeCase{12, -45, 44, -26, 25}}) {
        ClockRandomSource random;
        double low = 0;
        double high = 0;
        for (int build = 0; build < 200; ++build) {
            const PointSet set = Built(r.shape, random);
            for (int k = 1; k <= kPointCount; ++k) {
                for (double c : {set[k].x, set[k].y, set[k].z}) {
                    ASSERT_FALSE(c > r.band_low && c < r.band_high) << c << " in shape " << r.shape;
                    ASSERT_EQ(c, std::floor(c));
                    low = std::min(low, c);
                    high = std::max(high, c);
                }
            }
        }
        EXPECT_EQ(low, r.low) << r.shape;
        EXPECT_EQ(high, r.high) << r.shape;
    }
}

double Radius(const Point3D& p) {
    return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
}

TEST(RandomShapes, SphereShellLiesOnRadiusEighty) {
    ClockRandomSource random;
    for (int build = 0; build < 50; ++build) {
        const PointSet set = Built(22, random);
        for (int k = 1; k <= kPointCount; ++k) {
            ASSERT_NEAR(Radius(set[k]), 80.0, 1e-12) << k;
            ASSERT_LE(std::max({std::fabs(set[k].x), std::fabs(set[k].y), std::fabs(set[k].z)}),
                      80.0);
        }
    }
}

// Three draws of 40 are no direction; that point draws again, in the same
// order, until it has one, and every other draw stays where it was.
TEST(RandomShapes, SphereShellDrawsAgainForTheZeroDirection) {
    ScriptedRandom random({40, 40, 40, 40, 40, 40, 41, 40, 40,  // point 1: twice no direction
                           0, 0, 0,                             // point 2
                           40, 40, 40, 40, 40, 48});            // point 3: once no direction
    PointSet set;
    ASSERT_NO_THROW(BuildShape(22, set, random));
    EXPECT_EQ(random.requested, std::vector<int>(3 * kPointCount + 9, 80));
    EXPECT_EQ(random.reseeds, 0);
    EXPECT_EQ(set[1], (Point3D{80, 0, 0}));
    EXPECT_NEAR(set[2].x, -kSphereCorner, 1e-12);
    EXPECT_EQ(set[3], (Point3D{0, 0, 80}));
    EXPECT_NEAR(set[4].y, -kSphereCorner, 1e-12);
    for (int k = 1; k <= kPointCount; ++k)
        EXPECT_NEAR(Radius(set[k]), 80.0, 1e-12) << k;
}

TEST(RandomShapes, GrowTwiceMultipliesTheFactors) {
    const PointSet lattice = Built(2);
    FixedRandom high(FixedRandom::End::High);
    PointSet set = lattice;
    BuildShape(13, set, high);
    BuildShape(13, set, high);
    for (int k = 1; k <= kPointCount; ++k) {
        EXPECT_DOUBLE_EQ(set[k].x, lattice[k].x * 1.48 * 1.48) << k;
        EXPECT_DOUBLE_EQ(set[k].z, lattice[k].z * 1.48 * 1.48) << k;
    }
    ScriptedRandom mixed({0, 9});
    set = lattice;
    BuildShape(13, set, mixed);
    BuildShape(13, set, mixed);
    EXPECT_DOUBLE_EQ(set[100].y, 35 * 1.3 * 1.48);
    EXPECT_EQ(mixed.requested, (std::vector<int>{10, 10}));
}

TEST(RandomShapes, ScalingsKeepTheNumbering) {
    const PointSet before = shapetest::Numbered();
    ScriptedRandom random({4, 4});
    const PointSet grown = Built(13, random, before);
    const PointSet shrunk = Built(23, random, before);
    for (int k = 1; k <= kPointCount; ++k) {
        EXPECT_DOUBLE_EQ(grown[k].x, k * 1.38) << k;
        EXPECT_DOUBLE_EQ(shrunk[k].z, (1000.0 + k) / 2.3) << k;
    }
}

TEST(RandomShapes, RepeatedGrowsOverflowIntoAFault) {
    // 1e308 survives two grows by 1.3 (1.69e308 is still finite); the third
    // passes the largest double and must fault rather than yield infinity.
    PointSet set = AllAt({1e308, -1e308, 1e308});
    FixedRandom random(FixedRandom::End::Low);
    ASSERT_NO_THROW(BuildShape(13, set, random));
    ASSERT_NO_THROW(BuildShape(13, set, random));
    EXPECT_DOUBLE_EQ(set[100].y, -1.69e308);
    try {
        BuildShape(13, set, random);
        FAIL() << "no fault";
    } catch (const FloatingPointFault& fault) {
        EXPECT_EQ(fault.Kind(), FaultKind::Overflow);
    }
}

TEST(RandomShapes, ShrinkNeverFaults) {
    PointSet set = AllAt({1e308, -1e308, 5e-324});
    FixedRandom random(FixedRandom::End::Low);
    EXPECT_NO_THROW(BuildShape(23, set, random));
    EXPECT_DOUBLE_EQ(set[1].x, 1e308 / 1.5);
}

TEST(RandomShapes, OnlyShapesOneAndTwelveReseed) {
    for (int shape = 0; shape <= 25; ++shape) {
        SCOPED_TRACE("shape " + std::to_string(shape));
        FixedRandom random(FixedRandom::End::High);  // never the shell's zero direction
        PointSet set = Built(2);
        BuildShape(shape, set, random);
        std::string want;
        if (shape == 1 || shape == 12) want = "S" + std::string(3 * kPointCount, 'd');
        if (shape == 22) want = std::string(3 * kPointCount, 'd');
        if (shape == 13 || shape == 23) want = "d";
        EXPECT_EQ(random.log, want);
    }
    FixedRandom random;
    PointSet set = Built(2);
    ShufflePoints(set, random);
    EXPECT_EQ(random.log, std::string(kPointCount, 'd'));
}

}  // namespace
}  // namespace kaleidra
