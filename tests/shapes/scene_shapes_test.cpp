// The shape library as the frame cycle drives it.

#include <gtest/gtest.h>

#include <string>

#include "shape_test_support.h"

namespace kaleidra {
namespace {

using shapetest::AllAt;

TEST(SceneShapes, InitBuildsShapeOneWithTheCloudAtTheOrigin) {
    testing::SceneRig rig;
    rig.scene.StartUp();
    EXPECT_EQ(rig.scene.ShapeSet, AllAt({-55, -55, -55}));
    EXPECT_EQ(rig.scene.MorphSet, AllAt({0, 0, 0}));
    EXPECT_EQ(rig.random.reseeds, 1);
    EXPECT_EQ(rig.random.draws, 3 * kPointCount);  // no shuffle at start-up
}

TEST(SceneShapes, FrameWithNewShapeBuildsItAndShufflesWhenTicked) {
    testing::SceneRig rig;
    rig.scene.StartUp();
    const PointSet lattice = shapetest::Built(2);

    rig.panel.Set(CheckField::CheckBox2, true);
    rig.scene.ShapeNo = 2;
    rig.scene.NewShape = true;
    rig.scene.Modell_Ausgabe();
    EXPECT_EQ(rig.toolkit.error_boxes, 0);
    EXPECT_FALSE(rig.scene.NewShape);
    // The source always yields 0: point k + 1 moves to number k, point 1 to 100.
    for (int k = 1; k <= 99; ++k)
        EXPECT_EQ(rig.scene.ShapeSet[k], lattice[k + 1]) << k;
    EXPECT_EQ(rig.scene.ShapeSet[100], lattice[1]);

    rig.panel.Set(CheckField::CheckBox2, false);
    rig.scene.NewShape = true;
    rig.scene.Modell_Ausgabe();
    EXPECT_EQ(rig.scene.ShapeSet, lattice);
}

TEST(SceneShapes, GrowOverflowRunsTheRecovery) {
    testing::SceneRig rig;
    rig.scene.StartUp();
    rig.scene.ShapeSet = AllAt({1e308, 1e308, 1e308});
    rig.scene.ShapeNo = 13;
    // The source always yields 0, so every grow is by 1.3: 1e308 and 1.3e308
    // still grow to finite values, the third grow overflows.
    for (int frame = 1; frame <= 3; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        EXPECT_EQ(rig.toolkit.error_boxes, 0);
        rig.scene.NewShape = true;
        rig.scene.Modell_Ausgabe();
    }
    EXPECT_EQ(rig.toolkit.error_boxes, 1);
    EXPECT_EQ(rig.scene.ShapeNo, 1);
    EXPECT_FALSE(rig.scene.NewShape);
    EXPECT_EQ(rig.scene.ShapeSet, AllAt({-55, -55, -55}));
    EXPECT_EQ(rig.scene.MorphSet, AllAt({0, 0, 0}));
    EXPECT_EQ(rig.toolkit.caption, "STOP");
    EXPECT_TRUE(rig.toolkit.timer_enabled);
}

}  // namespace
}  // namespace kaleidra
