#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/matrix4x4.h"
#include "support/fakes.h"

namespace kaleidra {
namespace {

using testing::SceneRig;

// A scene whose cloud stands still where a test puts it (morph speed 0) and
// whose camera is already set up, so frames run without the start-up reset.
struct CameraRig : SceneRig {
    CameraRig() {
        panel.Set(SpinField::SpinEdit5, 0);
        scene.CameraDistance = 1.0;
    }
    void Hold(Point3D p) {
        for (int i = 1; i <= kPointCount; ++i)
            scene.MorphSet[i] = p;
    }
    void Direkt() { panel.ChooseDirekt(true); }
    void Frame() { scene.Modell_Ausgabe(); }
};

void ExpectPoint(const Point3D& got, double x, double y, double z, double tol) {
    EXPECT_NEAR(got.x, x, tol);
    EXPECT_NEAR(got.y, y, tol);
    EXPECT_NEAR(got.z, z, tol);
}

TEST(StereoCamera, DefaultParallelShiftsTheViewsByTheBase) {
    CameraRig rig;
    rig.scene.ToeInAngle = 7.5;
    rig.Hold({1, 2, 3});
    rig.Frame();
    EXPECT_EQ(rig.scene.CameraDistance, 130.0);
    EXPECT_EQ(rig.scene.EyeOffset, 4.0);
    EXPECT_EQ(rig.scene.ToeInAngle, 7.5);  // not written in "parallel"
    EXPECT_EQ(rig.scene.View1Set[1], (Point3D{5, 2, 3}));
    EXPECT_EQ(rig.scene.View2Set[1], (Point3D{-3, 2, 3}));
    EXPECT_EQ(rig.scene.View1Set[100], (Point3D{5, 2, 3}));
    EXPECT_EQ(rig.scene.View2Set[100], (Point3D{-3, 2, 3}));
    EXPECT_EQ(rig.toolkit.error_boxes, 0);
}

TEST(StereoCamera, DirektTurnsBothViewsTowardTheCentre) {
    CameraRig rig;
    rig.Direkt();
    rig.Hold({0, 0, 10});
    rig.Frame();
    EXPECT_NEAR(rig.scene.ToeInAngle, 1.762391, 1e-6);
    EXPECT_EQ(rig.scene.CameraDistance, std::sqrt(16916.0));
    EXPECT_NEAR(rig.scene.CameraDistance, 130.061524, 1e-6);
    EXPECT_EQ(rig.scene.EyeOffset, 0.0);
    ExpectPoint(rig.scene.View1Set[1], 0.307547, 0, 9.995270, 1e-6);
    ExpectPoint(rig.scene.View2Set[1], -0.307547, 0, 9.995270, 1e-6);

    // The toe-in is folded into the y turn: AngleY 30 gives 30 -/+ toe-in.
    rig.scene.AngleY = 30;
    rig.Frame();
    const double a1 = ((30 - rig.scene.ToeInAngle) / 180) * kPi;
    const double a2 = ((30 + rig.scene.ToeInAngle) / 180) * kPi;
    ExpectPoint(rig.scene.View1Set[1], -10 * std::sin(a1), 0, 10 * std::cos(a1), 1e-12);
    ExpectPoint(rig.scene.View2Set[1], -10 * std::sin(a2), 0, 10 * std::cos(a2), 1e-12);
}

TEST(StereoCamera, TurnsRunAboutYThenZThenX) {
    CameraRig rig;
    rig.panel.Quietly([&] { rig.panel.SelectEffect(6); });  // no shift
    rig.Hold({1, 0, 0});
    rig.scene.AngleX = 90;
    rig.scene.AngleY = 90;
    rig.Frame();
    ExpectPoint(rig.scene.View1Set[1], 0, -1, 0, 1e-15);
    ExpectPoint(rig.scene.View2Set[1], 0, -1, 0, 1e-15);

    rig.scene.AngleY = 0;
    rig.scene.AngleZ = 90;
    rig.Frame();
    ExpectPoint(rig.scene.View1Set[1], 0, 0, 1, 1e-15);
}

TEST(StereoCamera, DepthColourEffectsMakeBothViewsEqual) {
    for (bool parallel : {true, false}) {
        for (int effect = 6; effect <= 8; ++effect) {
            CameraRig rig;
            rig.panel.ChooseDirekt(!parallel);
            rig.panel.Quietly([&] { rig.panel.SelectEffect(effect); });
            rig.scene.ToeInAngle = 3.0;
            rig.Hold({7, -2, 5});
            rig.scene.AngleX = -20;
            rig.scene.AngleY = 45;
            rig.scene.AngleZ = 10;
            rig.Frame();
            EXPECT_EQ(rig.scene.View1Set, rig.scene.View2Set) << effect << parallel;
            EXPECT_EQ(rig.scene.EyeOffset, 0.0);
            EXPECT_EQ(rig.scene.ToeInAngle, 0.0);
            EXPECT_EQ(rig.scene.CameraDistance, parallel ? 130.0 : std::sqrt(16916.0));
        }
    }
}

TEST(StereoCamera, BaseZeroAndNegativeBase) {
    CameraRig rig;
    rig.Direkt();
    rig.panel.Set(SpinField::SpinEdit3, 0);
    rig.Hold({1, 2, 3});
    rig.Frame();
    EXPECT_EQ(rig.scene.ToeInAngle, 0.0);
    EXPECT_EQ(rig.scene.CameraDistance, 130.0);
    EXPECT_EQ(rig.scene.View1Set, rig.scene.View2Set);
    rig.panel.Set(SpinField::SpinEdit8, -20);
    rig.Frame();
    EXPECT_EQ(rig.scene.CameraDistance, 70.0);  // |d|

    // A negative base changes sides; nothing is clamped.
    rig.panel.Set(SpinField::SpinEdit8, 0);
    rig.panel.Set(SpinField::SpinEdit3, -4);
    rig.Hold({0, 0, 10});
    rig.Frame();
    EXPECT_NEAR(rig.scene.ToeInAngle, -1.762391, 1e-6);
    ExpectPoint(rig.scene.View1Set[1], -0.307547, 0, 9.995270, 1e-6);
    rig.panel.ChooseDirekt(false);
    rig.Frame();
    EXPECT_EQ(rig.scene.EyeOffset, -4.0);
    EXPECT_EQ(rig.scene.View1Set[1], (Point3D{-4, 0, 10}));
    EXPECT_EQ(rig.scene.View2Set[1], (Point3D{4, 0, 10}));
}

TEST(StereoCamera, CameraPositionSetsTheDistance) {
    struct Case {
        int position;
        double parallel, direkt, toe_in;  // distance, distance, degrees
    };
    for (const Case c :
         {Case{-10, 30, 30.265491901, 7.594643369}, Case{10, 230, 230.034779979, 0.996347897},
          Case{-20, -70, 70.114192572, -3.270487923}}) {
        CameraRig rig;
        rig.panel.Set(SpinField::SpinEdit8, c.position);
        rig.Frame();
        EXPECT_EQ(rig.scene.CameraDistance, c.parallel) << c.position;
        rig.Direkt();
        rig.Frame();
        EXPECT_NEAR(rig.scene.CameraDistance, c.direkt, 1e-9) << c.position;
        EXPECT_NEAR(rig.scene.ToeInAngle, c.toe_in, 1e-9) << c.position;
    }
}

TEST(StereoCamera, TypedPositionsFarOutOfRangeWrapInThirtyTwoBits) {
    CameraRig rig;
    rig.panel.Set(SpinField::SpinEdit8, std::numeric_limits<int>::max());
    rig.Frame();
    EXPECT_EQ(rig.scene.CameraDistance, 120.0);  // 21474836600 mod 2^32
    rig.panel.Set(SpinField::SpinEdit8, std::numeric_limits<int>::min());
    rig.Frame();
    EXPECT_EQ(rig.scene.CameraDistance, 130.0);
}

TEST(StereoCamera, FirstFrameResetsTheAnglesButKeepsItsXAndZTurns) {
    SceneRig rig;  // CameraDistance 0, as at start
    rig.panel.Set(SpinField::SpinEdit5, 0);
    for (int i = 1; i <= kPointCount; ++i)
        rig.scene.MorphSet[i] = {1, 1, 0};
    rig.scene.AngleX = 90;
    rig.scene.AngleY = 90;
    rig.scene.AngleZ = 90;
    rig.scene.Modell_Ausgabe();
    EXPECT_EQ(rig.panel.Value(SpinField::SpinEdit5), 1) << "the defaults came back";
    EXPECT_EQ(rig.toolkit.error_boxes, 0);
    EXPECT_EQ(rig.scene.AngleX, 0);
    EXPECT_EQ(rig.scene.AngleY, 0);
    EXPECT_EQ(rig.scene.AngleZ, 0);
    EXPECT_EQ(rig.scene.CameraDistance, 130.0);
    // z then x by 90 (y by 0): (1, 1, 0) -> (-1, 0, 1), then shifted by 4.
    ExpectPoint(rig.scene.View1Set[1], 3, 0, 1, 1e-15);
    ExpectPoint(rig.scene.View2Set[1], -5, 0, 1, 1e-15);
    rig.panel.Set(SpinField::SpinEdit5, 0);
    rig.scene.Modell_Ausgabe();
    EXPECT_EQ(rig.panel.Value(SpinField::SpinEdit5), 0) << "once set up, no further reset";
}

TEST(StereoCamera, SettingsAreReadOnlyAfterTheResetAndItsNestedFrames) {
    SceneRig rig;
    rig.panel.Set(SpinField::SpinEdit3, 7);
    rig.panel.Set(SpinField::SpinEdit8, 5);
    rig.scene.Modell_Ausgabe();
    // The base change runs a nested frame, which finds the 0 and resets too.
    EXPECT_EQ(rig.panel.handler_frames, 1);
    EXPECT_EQ(rig.scene.CameraDistance, 130.0);
    EXPECT_EQ(rig.scene.EyeOffset, 4.0);
    EXPECT_EQ(rig.toolkit.error_boxes, 0);
}

TEST(StereoCamera, PositionMinus13InDirektFaultsAndRecovers) {
    for (int base : {4, 0}) {  // x / 0, and 0 / 0
        CameraRig rig;
        rig.toolkit.timer_enabled = true;
        rig.Direkt();
        rig.panel.Set(SpinField::SpinEdit8, -13);
        rig.panel.Set(SpinField::SpinEdit3, base);
        rig.scene.ToeInAngle = 2.5;
        rig.Hold({1, 2, 3});
        rig.scene.View1Set[1] = {-9, -9, -9};
        rig.Frame();
        EXPECT_EQ(rig.toolkit.error_boxes, 1) << base;
        EXPECT_EQ(rig.toolkit.caption, "STOP");
        EXPECT_TRUE(rig.toolkit.timer_enabled);
        EXPECT_TRUE(rig.panel.RadioButton1());
        EXPECT_EQ(rig.panel.Value(SpinField::SpinEdit8), 0);
        EXPECT_EQ(rig.panel.Value(SpinField::SpinEdit3), 4);
        EXPECT_EQ(rig.scene.MorphSet[1], (Point3D{0, 0, 0}));
        if (base == 4) {
            // Nothing ran after the division: no products, toe-in untouched.
            EXPECT_EQ(rig.scene.CameraDistance, 0.0);
            EXPECT_EQ(rig.scene.EyeOffset, 4.0);
            EXPECT_EQ(rig.scene.ToeInAngle, 2.5);
            EXPECT_EQ(rig.scene.View1Set[1], (Point3D{-9, -9, -9}));
            rig.panel.Set(CheckField::CheckBox2, true);
            rig.Frame();
            EXPECT_FALSE(rig.panel.Checked(CheckField::CheckBox2)) << "the silent reset";
            EXPECT_EQ(rig.toolkit.error_boxes, 1);
            EXPECT_EQ(rig.scene.CameraDistance, 130.0);
        } else {
            // Restoring the base ran a frame, which set the camera up afresh.
            EXPECT_EQ(rig.panel.handler_frames, 1);
            EXPECT_EQ(rig.scene.CameraDistance, 130.0);
        }
    }
}

TEST(StereoCamera, PositionMinus13InParallelRunsOnAndResetsNextFrame) {
    CameraRig rig;
    rig.panel.Set(SpinField::SpinEdit8, -13);
    rig.Hold({1, 2, 3});
    rig.Frame();
    EXPECT_EQ(rig.toolkit.error_boxes, 0);
    EXPECT_EQ(rig.scene.CameraDistance, 0.0);
    EXPECT_EQ(rig.scene.View1Set[1], (Point3D{5, 2, 3}));
    EXPECT_EQ(rig.panel.Value(SpinField::SpinEdit8), -13) << "no reset yet";
    rig.Frame();
    EXPECT_EQ(rig.toolkit.error_boxes, 0);
    EXPECT_EQ(rig.panel.Value(SpinField::SpinEdit8), 0);
    EXPECT_EQ(rig.scene.CameraDistance, 130.0);
}

TEST(StereoCamera, OverflowInAPointProductEndsTheFrameThere) {
    CameraRig rig;
    rig.toolkit.timer_enabled = true;
    rig.Hold({1, 0, 0});
    rig.scene.MorphSet[50] = {1.7e308, -1.7e308, 0};  // turned by 45, x exceeds the range
    rig.scene.View1Set[50] = {-9, -9, -9};
    rig.scene.AngleZ = 45;
    rig.Frame();
    EXPECT_EQ(rig.toolkit.error_boxes, 1);
    EXPECT_TRUE(rig.toolkit.timer_enabled);
    EXPECT_EQ(rig.scene.AngleZ, 0);
    EXPECT_EQ(rig.panel.Value(SpinField::SpinEdit5), 1);
    EXPECT_EQ(rig.scene.MorphSet[50], (Point3D{0, 0, 0}));
    // Points before it were carried, the faulting one was not.
    ExpectPoint(rig.scene.View1Set[49], std::sqrt(0.5) + 4, std::sqrt(0.5), 0, 1e-15);
    EXPECT_EQ(rig.scene.View1Set[50], (Point3D{-9, -9, -9}));
}

}  // namespace
}  // namespace kaleidra
