// The fixed shapes: exact points, extents, coinciding points, and that a fresh
// shape never depends on what the set held before.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "shape_test_support.h"

namespace kaleidra {
namespace {

using shapetest::Built;
using shapetest::Show;

struct ExactPoint {
    int shape;
    int point;
    Point3D expected;
    double tolerance;  // 0: bit for bit
};

// Integer-valued points must come out exactly; computed ones only to the
// last bits of sine, cosine and the products.
const ExactPoint kExactPoints[] = {
    {2, 1, {-40, -40, -40}, 0},
    {2, 5, {40, -40, -40}, 0},
    {2, 6, {-40, -40, -20}, 0},
    {2, 26, {-40, -15, -40}, 0},
    {2, 100, {40, 35, 40}, 0},
    {4, 21, {0, 20, 0}, 1e-12},
    {7, 1, {-50, -50, 0}, 0},
    {7, 51, {-50, -50, 0}, 0},
    {7, 25, {46, -50, 0}, 0},
    {7, 26, {-50, 50, 0}, 0},
    {8, 1, {-50, -50, 0}, 0},
    {8, 2, {-23, -25, 0}, 0},
    {8, 3, {-42, -50, 0}, 0},
    {8, 26, {-25, 25, 0}, 0},
    {8, 51, {-50, -50, 0}, 0},
    {8, 100, {25, 23, 0}, 0},
    {9, 1, {-50, 40, -50}, 0},
    {9, 2, {-23, -40, -25}, 0},
    {9, 51, {-50, 40, -50}, 0},
    {9, 100, {25, -40, 23}, 0},
    {10, 1, {0, -5, 60}, 0},
    {10, 15, {0, 10, 55.43277195067721}, 1e-12},
    {10, 29, {0, 25, 42.42640687119285}, 1e-12},
    {10, 43, {0, 40, 22.96100594190539}, 1e-12},
    {10, 57, {0, 55, 0}, 0},
    {10, 58, {0, -20, 55.43277195067721}, 1e-12},
    {10, 100, {0, -65, 0}, 0},
    {14, 1, {0, 20, -50}, 0},
    {14, 11, {11.755705045849464, 16.18033988749895, -40}, 1e-12},
    {14, 20, {0, 20, -40}, 1e-12},
    {15, 11, {29.38926261462366, 40.45084971874737, -40}, 1e-12},
};

TEST(FixedShapes, EdgePointsLandWhereTheyBelong) {
    for (const ExactPoint& c : kExactPoints) {
        SCOPED_TRACE("shape " + std::to_string(c.shape) + " point " + std::to_string(c.point));
        const Point3D p = Built(c.shape)[c.point];
        if (c.tolerance == 0) {
            EXPECT_EQ(p, c.expected) << Show(p);
        } else {
            EXPECT_NEAR(p.x, c.expected.x, c.tolerance);
            EXPECT_NEAR(p.y, c.expected.y, c.tolerance);
            EXPECT_NEAR(p.z, c.expected.z, c.tolerance);
        }
    }
}

TEST(FixedShapes, ConcentricRingsShareTheirCentre) {
    const Point3D centres[] = {{0, 0, 0}, {0, -40, 0}, {0, 40, 0}};
    for (int shape = 4; shape <= 6; ++shape) {
        const PointSet set = Built(shape);
        for (int k = 1; k <= 20; ++k)
            EXPECT_EQ(set[k], centres[shape - 4]) << shape << " " << k;
        // Each circle starts again on its second axis: the angle is a whole
        // number of turns, up to what the running sum has gathered by then.
        for (int i = 1; i <= 4; ++i) {
            const Point3D& first = set[20 * i + 1];
            EXPECT_NEAR(first.x, 0.0, 1e-10);
            EXPECT_NEAR(shape == 4 ? first.y : first.z, 20.0 * i, 1e-10);
        }
    }
}

TEST(FixedShapes, LatticeRunsXThenZThenY) {
    const PointSet set = Built(2);
    const double ys[] = {-40, -15, 10, 35};
    for (int k = 1; k <= kPointCount; ++k) {
        const int n = k - 1;
        EXPECT_EQ(set[k], (Point3D{-40.0 + 20 * (n % 5), ys[n / 25], -40.0 + 20 * (n / 5 % 5)}))
            << k;
    }
}

TEST(FixedShapes, SquareLeavesItsFarCornerEmpty) {
    for (int shape : {7, 8}) {
        const PointSet set = Built(shape);
        for (int k = 1; k <= kPointCount; ++k)
            EXPECT_NE(set[k], (Point3D{50, 50, 0})) << k;
    }
}

TEST(FixedShapes, SquareFrustumAlternatesBetweenItsPlanes) {
    const PointSet set = Built(9);
    for (int k = 1; k <= kPointCount; ++k) {
        const double limit = k % 2 == 1 ? 50 : 25;
        EXPECT_EQ(set[k].y, k % 2 == 1 ? 40 : -40) << k;
        EXPECT_LE(std::max(std::fabs(set[k].x), std::fabs(set[k].z)), limit) << k;
    }
}

TEST(FixedShapes, TubeRingsAfterTheFirstStartOneStepOn) {
    const PointSet set = Built(14);
    for (int ring = 1; ring <= 9; ++ring) {
        // Point 10 ring + 10 is the ring's "tenth step": back at angle 0.
        const Point3D& p = set[10 * ring + 10];
        EXPECT_NEAR(p.x, 0.0, 1e-12) << ring;
        EXPECT_NEAR(p.y, 20.0, 1e-12) << ring;
        EXPECT_EQ(p.z, -50.0 + 10 * ring);
        EXPECT_NEAR(set[10 * ring + 1].x, set[2].x, 1e-12) << ring;
        EXPECT_NEAR(set[10 * ring + 1].y, set[2].y, 1e-12) << ring;
    }
}

TEST(FixedShapes, HyperbolaStarUsesTheSixPlaceFactor) {
    const PointSet set = Built(24);
    // a to the last bits; b is quoted to six places.
    EXPECT_NEAR(set[13].x, -10.000004, 1e-12);
    EXPECT_NEAR(set[13].y, -59.999976, 5e-7);
    EXPECT_NEAR(set[13].z, -10.000004, 1e-12);
    EXPECT_NEAR(set[14].x, 13.333329, 1e-12);
    EXPECT_NEAR(set[14].y, 45.000015, 5e-7);
    EXPECT_NEAR(set[14].z, 13.333329, 1e-12);
    EXPECT_EQ(set[1], (Point3D{-50, -12, -50}));
    EXPECT_NEAR(set[25].x, 49.999992, 1e-12);
    EXPECT_NEAR(set[25].y, 12.000002, 5e-7);
    for (int i = 1; i <= 25; ++i) {
        const Point3D& p = set[i];
        EXPECT_EQ(set[i + 25], (Point3D{-p.x, p.y, -p.z})) << i;
        EXPECT_EQ(set[i + 50], (Point3D{-p.x, p.y, p.z})) << i;
        EXPECT_EQ(set[i + 75], (Point3D{p.x, p.y, -p.z})) << i;
        EXPECT_EQ(p.x < 0, i <= 13) << i;
        EXPECT_GE(std::fabs(p.x), 10.0) << i;
    }
}

TEST(FixedShapes, GridNumbersOuterLoopFirst) {
    const PointSet set = Built(19);
    EXPECT_EQ(set[1], (Point3D{-60, -60, 0}));
    EXPECT_EQ(set[2].x, -60);
    EXPECT_NEAR(set[2].y, -60 + 40.0 / 3, 1e-12);
    EXPECT_NEAR(set[11].x, -60 + 40.0 / 3, 1e-12);
    EXPECT_EQ(set[11].y, -60);
    EXPECT_EQ(set[100], (Point3D{60, 60, 0}));
    for (int shape = 16; shape <= 21; ++shape) {
        const PointSet s = Built(shape);
        for (int k = 1; k <= kPointCount; ++k) {
            EXPECT_NE(s[k].x, 0.0) << shape << " " << k;  // 40u is never 0
        }
    }
}

struct Extents {
    int shape;
    double x_low, x_high, y_low, y_high, z_low, z_high;
    double tolerance;  // half a unit of the last quoted place
};

const Extents kExtents[] = {
    {2, -40, 40, -40, 35, -40, 40, 0},
    {3, -70, 70, -70, 70, 0, 0, 0.005},
    {4, -80, 80, -80, 80, 0, 0, 0.005},
    {5, -80, 80, -40, -40, -80, 80, 0.005},
    {6, -80, 80, 40, 40, -80, 80, 0.005},
    {7, -50, 50, -50, 50, 0, 0, 0},
    {8, -50, 50, -50, 50, 0, 0, 0},
    {9, -50, 50, -40, 40, -50, 50, 0},
    {10, -58.50, 58.50, -65, 55, -60, 60, 0.005},
    {11, -70, 69.86, -70, 70, -69.86, 70, 0.005},
    {14, -19.02, 19.02, -20, 20, -50, 40, 0.005},
    {15, -47.55, 47.55, -50, 50, -50, 40, 0.005},
    {16, -60, 60, 35, 35, -60, 60, 1e-12},
    {17, -60, 60, -35.56, 35.56, -60, 60, 0.005},
    {18, -60, 60, -35, -35, -60, 60, 1e-12},
    {19, -60, 60, -60, 60, 0, 0, 1e-12},
    {20, -60, 60, -29.28, 28.5, -60, 60, 0.005},
    {21, -60, 60, -28.5, 29.28, -60, 60, 0.005},
    {24, -50, 50, -59.999976, 45.000015, -50, 50, 5e-7},
};

Extents Measure(int shape, const PointSet& set) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Extents e{shape, inf, -inf, inf, -inf, inf, -inf, 0};
    for (int k = 1; k <= kPointCount; ++k) {
        e.x_low = std::min(e.x_low, set[k].x);
        e.x_high = std::max(e.x_high, set[k].x);
        e.y_low = std::min(e.y_low, set[k].y);
        e.y_high = std::max(e.y_high, set[k].y);
        e.z_low = std::min(e.z_low, set[k].z);
        e.z_high = std::max(e.z_high, set[k].z);
    }
    return e;
}

TEST(FixedShapes, ExtentsOfEveryFixedShape) {
    for (const Extents& want : kExtents) {
        SCOPED_TRACE("shape " + std::to_string(want.shape));
        const Extents got = Measure(want.shape, Built(want.shape));
        EXPECT_NEAR(got.x_low, want.x_low, want.tolerance);
        EXPECT_NEAR(got.x_high, want.x_high, want.tolerance);
        EXPECT_NEAR(got.y_low, want.y_low, want.tolerance);
        EXPECT_NEAR(got.y_high, want.y_high, want.tolerance);
        EXPECT_NEAR(got.z_low, want.z_low, want.tolerance);
        EXPECT_NEAR(got.z_high, want.z_high, want.tolerance);
    }
}

// Groups of point numbers that share one position, each group ascending.
std::vector<std::vector<int>> SharedPositions(const PointSet& set) {
    std::vector<std::vector<int>> groups;
    std::vector<bool> taken(kPointCount + 1, false);
    for (int a = 1; a <= kPointCount; ++a) {
        if (taken[a]) continue;
        std::vector<int> group{a};
        for (int b = a + 1; b <= kPointCount; ++b) {
            if (!taken[b] && set[a] == set[b]) {
                group.push_back(b);
                taken[b] = true;
            }
        }
        if (group.size() > 1) groups.push_back(group);
    }
    return groups;
}

TEST(FixedShapes, OnlyTheNamedPointsShareAPosition) {
    std::vector<int> centre;
    for (int k = 1; k <= 20; ++k)
        centre.push_back(k);
    const std::vector<std::vector<int>> none;
    const std::vector<std::vector<int>> corner{{1, 51}};
    const std::vector<std::vector<int>> rings{centre};
    for (int shape = 2; shape <= 24; ++shape) {
        if (shape == 12 || shape == 13 || shape == 22 || shape == 23) continue;
        const auto& want = (shape >= 4 && shape <= 6)   ? rings
                           : (shape >= 7 && shape <= 9) ? corner
                                                        : none;
        EXPECT_EQ(SharedPositions(Built(shape)), want) << "shape " << shape;
    }
}

TEST(FixedShapes, FreshShapesWriteEveryCoordinate) {
    const PointSet junk = shapetest::AllAt({1e300, -7.25, std::nan("")});
    for (int shape = 1; shape <= 24; ++shape) {
        if (shape == 13 || shape == 23) continue;
        testing::FixedRandom a(testing::FixedRandom::End::High);
        testing::FixedRandom b(testing::FixedRandom::End::High);
        EXPECT_EQ(Built(shape, a, junk), Built(shape, b)) << "shape " << shape;
    }
}

TEST(FixedShapes, OnlyTheOriginHoldsPointsOfShapeFour) {
    for (int shape = 2; shape <= 24; ++shape) {
        if (shape == 12 || shape == 13 || shape == 22 || shape == 23) continue;
        const PointSet set = Built(shape);
        int at_origin = 0;
        for (int k = 1; k <= kPointCount; ++k)
            at_origin += set[k] == Point3D{} ? 1 : 0;
        EXPECT_EQ(at_origin, shape == 4 ? 20 : 0) << "shape " << shape;
    }
}

TEST(FixedShapes, NumbersOutsideTheTableBuildNothing) {
    const PointSet before = shapetest::Numbered();
    for (int shape : {0, -1, 25, 1000}) {
        testing::FixedRandom random(testing::FixedRandom::End::High);
        EXPECT_EQ(Built(shape, random, before), before) << shape;
        EXPECT_EQ(random.draws, 0);
        EXPECT_EQ(random.reseeds, 0);
    }
}

}  // namespace
}  // namespace kaleidra
