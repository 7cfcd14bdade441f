#include "core/scene.h"

#include <exception>

#include "core/control_defaults.h"
#include "core/morph.h"
#include "core/wrapping_int.h"
#include "shapes/shape_library.h"

namespace kaleidra {

namespace {

// The new angle after one tick: the remainder takes the sign of the angle.
int TurnAngle(int angle, int speed) {
    return WrappingSub(angle, speed) % 360;
}

}  // namespace

Scene::Scene(ControlPanel& panel, Toolkit& toolkit, RandomSource& random)
    : panel_(panel), toolkit_(toolkit), random_(random) {}

void Scene::StartUp() {
    Busy = false;
    Standardwerte();
    Image1.SetBrushColour(BackgroundColour(panel_.RadioGroup1()));
    Image1.FillRect(0, 0, Image1.Width(), Image1.Height());
    Init();
}

void Scene::Init() {
    StartAfresh();
    toolkit_.SetTimerInterval(kTickMilliseconds);
    StartButtonClick();
}

void Scene::StartButtonClick() {
    if (!toolkit_.TimerEnabled()) {
        toolkit_.ShowRunning(true);
        toolkit_.SetTimerEnabled(true);
    } else {
        toolkit_.ShowRunning(false);
        toolkit_.SetTimerEnabled(false);
    }
}

void Scene::Timer1Timer() {
    SwitchCounter = WrappingAdd(SwitchCounter, panel_.Value(SpinField::SpinEdit2));
    if (SwitchCounter >= kSwitchThreshold) {
        SwitchCounter = 0;  // the excess over 1000 is dropped, not carried
        NewShape = true;
        if (panel_.Checked(CheckField::CheckBox1)) {
            ShapeNo = random_.Random(kShapeCount) + 1;
        } else {
            ShapeNo = WrappingAdd(ShapeNo, 1);
            if (ShapeNo > kShapeCount) ShapeNo = 1;
        }
    }

    const int speed_x = panel_.Value(SpinField::SpinEdit6);
    AngleX = TurnAngle(AngleX, speed_x);
    if (speed_x == 0) AngleX = 0;

    AngleY = TurnAngle(AngleY, panel_.Value(SpinField::SpinEdit1));  // Y keeps its angle at speed 0

    const int speed_z = panel_.Value(SpinField::SpinEdit7);
    AngleZ = TurnAngle(AngleZ, speed_z);
    if (speed_z == 0) AngleZ = 0;

    if (!Busy) Modell_Ausgabe();
}

void Scene::Modell_Ausgabe() {
    try {
        RunFrameSteps();
    } catch (const std::exception&) {
        Recover();
    }
}

void Scene::RunFrameSteps() {
    Busy = true;
    if (NewShape) {
        BuildShape(ShapeNo, ShapeSet, random_);
        NewShape = false;
        if (panel_.Checked(CheckField::CheckBox2)) ShufflePoints(ShapeSet, random_);
    }
    Modell_Morph(ShapeSet, MorphSet, panel_.Value(SpinField::SpinEdit5));
    COPY_ROT(MorphSet, WorkSet);
    ViewTransform();
    Draw();
    toolkit_.ProcessMessages();  // the usual place where a frame is re-entered
    Busy = false;
}

void Scene::Recover() {
    toolkit_.ShowRunning(false);
    toolkit_.SetTimerEnabled(false);
    toolkit_.ShowErrorBox();
    Busy = false;
    Standardwerte();  // may run frames, which may fail and recover in turn
    StartAfresh();
    // A nested recovery may already have restarted the animation; a plain
    // toggle would then stop it again. The recovery always ends running.
    if (!toolkit_.TimerEnabled()) StartButtonClick();
}

// The start values of the frame state, shape 1 (never shuffled here) and the
// cloud at the origin, from which it grows into the shape again.
void Scene::StartAfresh() {
    AngleX = AngleY = AngleZ = 0;
    SwitchCounter = 0;
    ShapeNo = 1;
    NewShape = false;
    BuildShape(1, ShapeSet, random_);
    MorphSet.MoveAllToOrigin();
}

void Scene::Standardwerte() {
    panel_.Standardwerte();
    AngleX = AngleY = AngleZ = 0;
}

}  // namespace kaleidra
