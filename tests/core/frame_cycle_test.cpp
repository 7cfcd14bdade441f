#include <gtest/gtest.h>

#include <vector>

#include "core/fp_checks.h"
#include "support/fakes.h"

namespace kaleidra {
namespace {

using testing::FixedRandom;
using testing::SceneRig;

// Ticks that only do the tick's own arithmetic: with Busy set, no frame runs.
void TickWithoutFrames(SceneRig& rig, int ticks) {
    rig.scene.Busy = true;
    for (int i = 0; i < ticks; ++i)
        rig.scene.Timer1Timer();
    rig.scene.Busy = false;
}

TEST(Tick, FirstShapeChangeComesOnTheTick167AtDefaultSpeed) {
    SceneRig rig;
    rig.scene.StartUp();
    rig.panel.Set(CheckField::CheckBox1, false);
    TickWithoutFrames(rig, 166);
    EXPECT_EQ(rig.scene.SwitchCounter, 996);
    EXPECT_FALSE(rig.scene.NewShape);
    EXPECT_EQ(rig.scene.ShapeNo, 1);
    TickWithoutFrames(rig, 1);
    EXPECT_EQ(rig.scene.SwitchCounter, 0) << "1002 is dropped to 0, not carried";
    EXPECT_TRUE(rig.scene.NewShape);
    EXPECT_EQ(rig.scene.ShapeNo, 2);
    rig.scene.NewShape = false;
    TickWithoutFrames(rig, 166);
    EXPECT_FALSE(rig.scene.NewShape);
    TickWithoutFrames(rig, 1);
    EXPECT_TRUE(rig.scene.NewShape);
    EXPECT_EQ(rig.scene.ShapeNo, 3);
}

TEST(Tick, ShapeChangeSpeedFiftyChangesEveryTwentyTicksAndZeroNever) {
    SceneRig rig;
    rig.scene.StartUp();
    rig.panel.Set(CheckField::CheckBox1, false);
    rig.panel.Set(SpinField::SpinEdit2, 50);
    std::vector<int> change_ticks;
    for (int tick = 1; tick <= 60; ++tick) {
        TickWithoutFrames(rig, 1);
        if (rig.scene.NewShape) change_ticks.push_back(tick);
        rig.scene.NewShape = false;
    }
    EXPECT_EQ(change_ticks, (std::vector<int>{20, 40, 60}));

    rig.panel.Set(SpinField::SpinEdit2, 0);
    const int shape = rig.scene.ShapeNo;
    TickWithoutFrames(rig, 10000);
    EXPECT_FALSE(rig.scene.NewShape);
    EXPECT_EQ(rig.scene.ShapeNo, shape);
    EXPECT_EQ(rig.scene.SwitchCounter, 0);
}

TEST(Tick, FixedOrderRunsOneToTwentyFourAndStartsOver) {
    SceneRig rig;
    rig.scene.StartUp();
    rig.panel.Set(CheckField::CheckBox1, false);
    rig.panel.Set(SpinField::SpinEdit2, 1000);  // typed, not yet clamped: a change on every tick
    rig.scene.ShapeNo = 22;
    std::vector<int> order;
    for (int i = 0; i < 5; ++i) {
        TickWithoutFrames(rig, 1);
        order.push_back(rig.scene.ShapeNo);
    }
    EXPECT_EQ(order, (std::vector<int>{23, 24, 1, 2, 3}));
}

TEST(Tick, RandomOrderDrawsFromTheSharedSourceAndMayRepeat) {
    SceneRig low(FixedRandom::End::Low);
    low.scene.StartUp();
    low.panel.Set(SpinField::SpinEdit2, 1000);
    low.scene.ShapeNo = 1;
    const int draws = low.random.draws;
    TickWithoutFrames(low, 1);
    EXPECT_EQ(low.scene.ShapeNo, 1) << "the shape already shown can come again";
    EXPECT_TRUE(low.scene.NewShape);
    EXPECT_EQ(low.random.draws, draws + 1);

    SceneRig high(FixedRandom::End::High);
    high.scene.StartUp();
    high.panel.Set(SpinField::SpinEdit2, 1000);
    TickWithoutFrames(high, 1);
    EXPECT_EQ(high.scene.ShapeNo, 24);
}

TEST(Tick, YSpeedTwoTurnsThroughMinus358BackToZero) {
    SceneRig rig;
    rig.scene.StartUp();
    for (int tick = 1; tick <= 179; ++tick) {
        TickWithoutFrames(rig, 1);
        ASSERT_EQ(rig.scene.AngleY, -2 * tick);
    }
    TickWithoutFrames(rig, 1);
    EXPECT_EQ(rig.scene.AngleY, 0) << "-360 rem 360";

    rig.panel.Set(SpinField::SpinEdit1, -3);
    TickWithoutFrames(rig, 119);
    EXPECT_EQ(rig.scene.AngleY, 357);
    TickWithoutFrames(rig, 1);
    EXPECT_EQ(rig.scene.AngleY, 0);
}

TEST(Tick, XAndZReturnToZeroAtSpeedZeroButYKeepsItsAngle) {
    SceneRig rig;
    rig.scene.StartUp();
    rig.panel.Set(SpinField::SpinEdit6, 7);
    rig.panel.Set(SpinField::SpinEdit7, -9);
    TickWithoutFrames(rig, 60);
    EXPECT_EQ(rig.scene.AngleX, -(7 * 60) % 360);  // -60: the remainder keeps the sign
    EXPECT_EQ(rig.scene.AngleZ, (9 * 60) % 360);
    const int y = rig.scene.AngleY;
    ASSERT_NE(y, 0);

    rig.panel.Set(SpinField::SpinEdit6, 0);
    rig.panel.Set(SpinField::SpinEdit7, 0);
    rig.panel.Set(SpinField::SpinEdit1, 0);
    TickWithoutFrames(rig, 1);
    EXPECT_EQ(rig.scene.AngleX, 0);
    EXPECT_EQ(rig.scene.AngleZ, 0);
    EXPECT_EQ(rig.scene.AngleY, y);
}

TEST(Tick, UnparsableRotationTextReadsAsMinusTenAndTurnsTenDegreesUp) {
    SceneRig rig;
    rig.scene.StartUp();
    rig.panel.Quietly([&] { rig.panel.Type(SpinField::SpinEdit1, "abc"); });
    TickWithoutFrames(rig, 3);
    EXPECT_EQ(rig.scene.AngleY, 30);
}

TEST(Tick, HugeTypedSpeedsWrapWithoutFault) {
    SceneRig rig;
    rig.scene.StartUp();
    rig.panel.Set(SpinField::SpinEdit1, -2147483647 - 1);
    rig.panel.Set(SpinField::SpinEdit2, 2147483647);
    rig.scene.AngleY = 5;
    rig.scene.SwitchCounter = 10;
    TickWithoutFrames(rig, 1);
    // 5 - (-2^31) wraps to -2147483643, whose remainder is -123.
    EXPECT_EQ(rig.scene.AngleY, -123);
    // 10 + (2^31 - 1) wraps negative: no change is due.
    EXPECT_LT(rig.scene.SwitchCounter, 0);
    EXPECT_FALSE(rig.scene.NewShape);
}

TEST(StartStop, StartUpRunsTheTimerAtTwentyMillisecondsAndTheButtonTogglesIt) {
    SceneRig rig;
    rig.scene.StartUp();
    EXPECT_TRUE(rig.toolkit.timer_enabled);
    EXPECT_EQ(rig.toolkit.interval, 20);
    EXPECT_EQ(rig.toolkit.caption, "STOP");
    EXPECT_EQ(rig.scene.ShapeNo, 1);
    EXPECT_FALSE(rig.scene.NewShape);
    EXPECT_EQ(rig.scene.MorphSet, PointSet{});

    rig.scene.StartButtonClick();
    EXPECT_FALSE(rig.toolkit.timer_enabled);
    EXPECT_EQ(rig.toolkit.caption, "START");
    rig.scene.StartButtonClick();
    EXPECT_TRUE(rig.toolkit.timer_enabled);
    EXPECT_EQ(rig.toolkit.caption, "STOP");

    rig.toolkit.caption = "START";  // the timer decides, not a caption that disagrees
    rig.scene.StartButtonClick();
    EXPECT_FALSE(rig.toolkit.timer_enabled);
    EXPECT_EQ(rig.toolkit.caption, "START");
}

TEST(Frame, EveryFrameMovesTheCloudOneStepWhoeverStartsIt) {
    SceneRig rig;
    rig.scene.StartUp();  // shape 1 with the low source: every point at (-55, -55, -55)
    rig.scene.StartButtonClick();
    rig.scene.Modell_Ausgabe();
    for (int i = 1; i <= kPointCount; ++i) {
        ASSERT_EQ(rig.scene.MorphSet[i], (Point3D{-1, -1, -1}));
    }
    EXPECT_EQ(rig.scene.WorkSet, rig.scene.MorphSet);
    EXPECT_FALSE(rig.scene.Busy);
    EXPECT_EQ(rig.toolkit.process_calls, 1);
}

TEST(Frame, ATickDuringStepSevenAdvancesTheAnglesButRunsNoFrame) {
    SceneRig rig;
    rig.scene.StartUp();
    rig.scene.Modell_Ausgabe();  // the first frame's camera reset is behind us
    const int frames = rig.toolkit.process_calls;
    const int counter = rig.scene.SwitchCounter;
    const int angle = rig.scene.AngleY;
    bool busy_seen = false;
    rig.toolkit.on_process_messages = [&] {
        rig.toolkit.on_process_messages = nullptr;
        busy_seen = rig.scene.Busy;
        rig.scene.Timer1Timer();
    };
    rig.scene.Modell_Ausgabe();
    EXPECT_TRUE(busy_seen);
    EXPECT_EQ(rig.toolkit.process_calls, frames + 1) << "the nested tick ran no frame";
    EXPECT_EQ(rig.scene.SwitchCounter, counter + 6);
    EXPECT_EQ(rig.scene.AngleY, angle - 2);
    EXPECT_FALSE(rig.scene.Busy);
}

TEST(Frame, ANestedFrameClearsBusyForTheRestOfTheOuterFrame) {
    SceneRig rig;
    rig.scene.StartUp();
    rig.scene.Modell_Ausgabe();
    int depth = 0;
    bool busy_after_nested = true;
    rig.toolkit.on_process_messages = [&] {
        if (++depth == 1) {
            rig.scene.Modell_Ausgabe();  // a change handler during step 7
            busy_after_nested = rig.scene.Busy;
            rig.scene.Timer1Timer();  // so this tick may run a frame of its own
        }
    };
    const int frames = rig.toolkit.process_calls;
    rig.scene.Modell_Ausgabe();
    EXPECT_FALSE(busy_after_nested);
    EXPECT_EQ(rig.toolkit.process_calls, frames + 3);
}

// A fault raised inside the frame, as a failing operation would raise it.
void FailNextFrames(SceneRig& rig, int count) {
    rig.toolkit.on_process_messages = [&rig, count]() mutable {
        if (count-- > 0) throw FloatingPointFault(FaultKind::DivisionByZero);
    };
}

// Started, with the first frame's camera reset behind it.
struct Recovery : ::testing::Test {
    void SetUp() override {
        rig.scene.StartUp();
        rig.scene.Modell_Ausgabe();
    }
    SceneRig rig;
};

void MessUpEverything(SceneRig& rig) {
    rig.panel.Set(SpinField::SpinEdit1, 9);
    rig.panel.Set(SpinField::SpinEdit2, 40);
    rig.panel.Set(SpinField::SpinEdit5, 0);
    rig.panel.Set(SpinField::SpinEdit8, 3);
    rig.panel.Set(CheckField::CheckBox1, false);
    rig.panel.Set(CheckField::CheckBox2, true);
    rig.panel.ChooseDirekt(true);
    rig.scene.AngleX = 40;
    rig.scene.AngleY = -100;
    rig.scene.SwitchCounter = 500;
    rig.scene.ShapeNo = 17;
    rig.scene.NewShape = true;
    rig.scene.MorphSet[5] = {1, 2, 3};
}

TEST_F(Recovery, AFaultShowsTheBoxOnceAndRestoresEverything) {
    MessUpEverything(rig);
    bool timer_off_during_box = false;
    std::string caption_during_box;
    rig.toolkit.on_error_box = [&] {
        timer_off_during_box = !rig.toolkit.timer_enabled;
        caption_during_box = rig.toolkit.caption;
    };
    FailNextFrames(rig, 1);
    rig.scene.Modell_Ausgabe();
    EXPECT_EQ(rig.toolkit.error_boxes, 1);
    EXPECT_TRUE(timer_off_during_box);
    EXPECT_EQ(caption_during_box, "START");
    EXPECT_TRUE(testing::Recovered(rig));
}

TEST_F(Recovery, AlsoRestartsAnAnimationThatWasStoppedBeforeTheFault) {
    rig.scene.StartButtonClick();
    ASSERT_FALSE(rig.toolkit.timer_enabled);
    MessUpEverything(rig);
    FailNextFrames(rig, 1);
    rig.scene.Modell_Ausgabe();  // a frame from a change handler while stopped
    EXPECT_EQ(rig.toolkit.error_boxes, 1);
    EXPECT_TRUE(testing::Recovered(rig));
}

TEST_F(Recovery, AFaultInsideTheRecoverysOwnResetStillEndsRunning) {
    rig.panel.Quietly([&] { rig.panel.SelectBackground(1); });  // the reset changes it back
    FailNextFrames(rig, 2);  // the frame and the nested one both fail
    rig.scene.Modell_Ausgabe();
    EXPECT_EQ(rig.toolkit.error_boxes, 2);
    EXPECT_EQ(rig.panel.handler_frames, 1) << "the background's";
    EXPECT_TRUE(testing::Recovered(rig));  // a plain toggle at the end would have left "START"
}

TEST_F(Recovery, AnUnfinishedFrameLeavesItsPictureAndViewsUntilTheNextFrame) {
    const PointSet views = rig.scene.View1Set;
    FailNextFrames(rig, 1);
    rig.scene.Modell_Ausgabe();
    EXPECT_EQ(rig.toolkit.error_boxes, 1);
    EXPECT_NE(rig.scene.View1Set, views) << "the failed frame's views stay";
}

}  // namespace
}  // namespace kaleidra
