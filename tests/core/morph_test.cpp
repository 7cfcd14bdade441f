#include "core/morph.h"

#include <gtest/gtest.h>

namespace kaleidra {
namespace {

PointSet AllAt(Point3D p) {
    PointSet set;
    for (int i = 1; i <= kPointCount; ++i)
        set[i] = p;
    return set;
}

TEST(Morph, ReachesTargetInTheFrameItIsNoMoreThanOneStepAway) {
    const PointSet target = AllAt({57.3, -2.5, 0.0});
    PointSet cloud;
    for (int frame = 1; frame <= 57; ++frame) {
        Modell_Morph(target, cloud, 1);
        ASSERT_EQ(cloud[1].x, frame) << "frame " << frame;
        if (frame <= 2) {
            ASSERT_EQ(cloud[1].y, -frame);
        } else {
            ASSERT_EQ(cloud[1].y, -2.5);  // frame 3 lands exactly
        }
    }
    Modell_Morph(target, cloud, 1);
    EXPECT_EQ(cloud[1].x, 57.3);
    EXPECT_EQ(cloud[100].x, 57.3);
    EXPECT_EQ(cloud[1].z, 0.0);
}

TEST(Morph, ExactlyOneStepAwayArrivesByCopyingTheTarget) {
    // 0.1 + 0.2 is not 0.3 in doubles: arriving must copy the target, not add s.
    const PointSet target = AllAt({0.1 + 10.0, -10.0, 10.0});
    PointSet cloud = AllAt({0.1, 0.0, 0.0});
    Modell_Morph(target, cloud, 10);
    EXPECT_EQ(cloud[7], target[7]);
}

TEST(Morph, SpeedTenBringsEverythingWithinTenInOneFrame) {
    PointSet target;
    for (int i = 1; i <= kPointCount; ++i)
        target[i] = {i / 10.0, -i / 10.0, 9.99};
    PointSet cloud;
    Modell_Morph(target, cloud, 10);
    EXPECT_EQ(cloud, target);
}

TEST(Morph, SpeedZeroHoldsTheCloudWhereItIs) {
    const PointSet target = AllAt({40.0, -40.0, 5.0});
    PointSet cloud = AllAt({1.5, 2.5, -3.5});
    const PointSet before = cloud;
    for (int frame = 0; frame < 5; ++frame)
        Modell_Morph(target, cloud, 0);
    EXPECT_EQ(cloud, before);
}

TEST(Morph, NegativeSpeedDrivesEveryCoordinateAwayFromItsTarget) {
    const PointSet target = AllAt({10.0, -10.0, 0.0});
    PointSet cloud = AllAt({5.0, -5.0, 0.0});
    Modell_Morph(target, cloud, -2);
    // x: 5 - 2 < 10 holds, so it becomes 3; y: -5 - 2 < -10 fails, -5 + 2 > -10 holds: -3.
    EXPECT_EQ(cloud[1].x, 3.0);
    EXPECT_EQ(cloud[1].y, -3.0);
    // z sits on its target: 0 - 2 < 0, so it moves down as well.
    EXPECT_EQ(cloud[1].z, -2.0);
    Modell_Morph(target, cloud, -2);
    EXPECT_EQ(cloud[1].x, 1.0);
    EXPECT_EQ(cloud[1].y, -1.0);
    EXPECT_EQ(cloud[1].z, -4.0);
}

TEST(Morph, CopyIsExactAndLeavesTheSourceAlone) {
    PointSet cloud;
    for (int i = 1; i <= kPointCount; ++i)
        cloud[i] = {i * 0.1, -i * 1e-300, i * 1e300};
    const PointSet before = cloud;
    PointSet work = AllAt({7, 7, 7});
    COPY_ROT(cloud, work);
    EXPECT_EQ(work, cloud);
    EXPECT_EQ(cloud, before);
}

}  // namespace
}  // namespace kaleidra
