// The renderers as a frame of the scene runs them.

#include <gtest/gtest.h>

#include "render_fixtures.h"
#include "support/fakes.h"

namespace kaleidra {
namespace {

using testing::PixelsNot;
using testing::SceneRig;

// A scene whose cloud stands still where the test puts it (morph speed 0),
// with the camera already set up and a 320 x 200 area (centre 160, 100,
// scale 1).
struct DrawRig : SceneRig {
    DrawRig() {
        panel.Set(SpinField::SpinEdit5, 0);
        scene.CameraDistance = 130.0;
        scene.Image1.Resize(320, 200);
    }
    void Hold(Point3D p) {
        for (int i = 1; i <= kPointCount; ++i) {
            scene.ShapeSet[i] = p;
            scene.MorphSet[i] = p;
        }
    }
};

TEST(SceneDrawing, PointsOnTheScreenPlaneMeetInWhite) {
    // The base of 4 shifts the views apart and the renderer shifts them back:
    // a point at depth 0 lands on one pixel in both, red and cyan make white.
    DrawRig rig;
    rig.Hold({10, -20, 0});
    rig.scene.Modell_Ausgabe();
    ASSERT_EQ(rig.toolkit.error_boxes, 0);
    EXPECT_EQ(rig.scene.EyeOffset, 4.0);
    EXPECT_EQ(rig.scene.Image1.Pixel(170, 80), 0xFFFFFFu);
    EXPECT_EQ(rig.scene.Image1.PenWidth(), 3);  // size 4, depth 0
    for (const auto& p : PixelsNot(rig.scene.Image1, 0x000000)) {
        EXPECT_EQ(rig.scene.Image1.Pixel(p.first, p.second), 0xFFFFFFu);
    }
}

TEST(SceneDrawing, DepthColourEffectsDrawTheDepthColour) {
    DrawRig rig;
    rig.panel.Quietly([&] { rig.panel.SelectEffect(6); });  // "Chroma"
    rig.Hold({10, -20, 0});
    rig.scene.Modell_Ausgabe();
    ASSERT_EQ(rig.toolkit.error_boxes, 0);
    EXPECT_EQ(rig.scene.Image1.Pixel(170, 80), testing::Rgb(0, 255, 32));
}

TEST(SceneDrawing, CoordinateThatCannotBeRoundedRunsTheRecovery) {
    DrawRig rig;
    rig.toolkit.timer_enabled = true;
    rig.scene.Image1.SetBrushColour(0x123456);
    rig.scene.Image1.FillRect(0, 0, 320, 200);
    rig.Hold({1e300, 0, 0});
    rig.scene.Modell_Ausgabe();

    EXPECT_EQ(rig.toolkit.error_boxes, 1);
    EXPECT_TRUE(rig.toolkit.timer_enabled);
    EXPECT_EQ(rig.toolkit.caption, "STOP");
    EXPECT_FALSE(rig.scene.Busy);
    EXPECT_EQ(rig.scene.ShapeNo, 1);
    EXPECT_EQ(rig.scene.MorphSet[1], Point3D{});
    EXPECT_EQ(rig.scene.MorphSet[100], Point3D{});
    // The renderer had cleared the area when the fault ended the frame.
    EXPECT_EQ(rig.scene.Image1.Pixel(0, 0), 0x000000u);
    EXPECT_EQ(rig.scene.Image1.Pixel(319, 199), 0x000000u);
}

}  // namespace
}  // namespace kaleidra
