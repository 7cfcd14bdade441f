// One to three frames from an arbitrary state: any panel texts and values,
// camera values, angles, a due shape and any point coordinates. A frame may
// fail, but only into the recovery, and nothing may crash or go non-finite.
//
// The coordinates are any finite doubles, huge and denormal ones included,
// but never NaN or infinite: every operation of the program that could make
// one is checked and fails the frame instead, so no such value can ever be
// stored in a point set or the camera values.

#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/fakes.h"

namespace {

using namespace kaleidra;
using namespace kaleidra::testing;

double FiniteFromBits(std::uint64_t bits) {
    double d = 0.0;
    std::memcpy(&d, &bits, sizeof d);
    return std::isfinite(d) ? d : std::copysign(DBL_MAX, d);
}

double Coordinate(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.ConsumeIntegralInRange(-200, 200);
        case 1:
            return FiniteFromBits(in.ConsumeIntegral<std::uint64_t>());
        case 2:
            // Exponent bits cleared: a denormal (or a signed zero).
            return FiniteFromBits(in.ConsumeIntegral<std::uint64_t>() & 0x800FFFFFFFFFFFFFull);
        default:
            return in.ConsumeFloatingPoint<double>();
    }
}

std::string SpinText(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            // Around the ranges, where the camera's -13 lies.
            return std::to_string(in.ConsumeIntegralInRange(-25, 25));
        case 1:
            return std::to_string(in.ConsumeIntegral<std::int32_t>());
        default:
            return in.ConsumeRandomLengthString(12);
    }
}

void Fail(const char* what) {
    std::fprintf(stderr, "frame fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    BasicRig<SeededRandom> rig(in.ConsumeIntegral<std::uint64_t>());
    Scene& scene = rig.scene;
    RecordingPanel& panel = rig.panel;
    const int width = in.ConsumeIntegralInRange(0, 40);
    const int height = in.ConsumeIntegralInRange(0, 30);
    scene.Image1.Resize(width, height);
    scene.StartUp();

    // The panel as a user may leave it, arranged without running frames.
    panel.Quietly([&] {
        for (int f = 0; f < kSpinFieldCount; ++f)
            panel.Type(static_cast<SpinField>(f), SpinText(in));
        for (int b = 0; b < kCheckBoxCount; ++b)
            panel.SetChecked(static_cast<CheckField>(b), in.ConsumeBool());
        panel.SelectBackground(in.ConsumeIntegralInRange(-1, 1));
        panel.SelectEffect(in.ConsumeIntegralInRange(-1, kEffectCount - 1));
        panel.ChooseDirekt(in.ConsumeBool());
    });

    // The frame state as the tick leaves it: angles in -359..359, shapes 1..24.
    scene.AngleX = in.ConsumeIntegralInRange(-359, 359);
    scene.AngleY = in.ConsumeIntegralInRange(-359, 359);
    scene.AngleZ = in.ConsumeIntegralInRange(-359, 359);
    scene.SwitchCounter = in.ConsumeIntegral<int>();
    scene.ShapeNo = in.ConsumeIntegralInRange(1, kShapeCount);
    scene.NewShape = in.ConsumeBool();
    // The camera set-up overwrites all three; only a distance of 0 changes its course.
    scene.CameraDistance = in.ConsumeBool() ? 0.0 : Coordinate(in);
    scene.EyeOffset = Coordinate(in);
    scene.ToeInAngle = Coordinate(in);
    for (int k = 1; k <= kPointCount; ++k) {
        scene.MorphSet[k] = {Coordinate(in), Coordinate(in), Coordinate(in)};
        scene.ShapeSet[k] = {Coordinate(in), Coordinate(in), Coordinate(in)};
    }

    // A tick that comes while the frame processes its events, as in the window.
    rig.toolkit.on_process_messages = [&rig] {
        if (rig.toolkit.timer_enabled && rig.scene.Busy) rig.scene.Timer1Timer();
    };

    const int frames = in.ConsumeIntegralInRange(1, 3);
    for (int i = 0; i < frames; ++i) {
        const long long boxes = rig.toolkit.error_boxes;
        if (in.ConsumeBool() && rig.toolkit.timer_enabled) {
            scene.Timer1Timer();
        } else {
            scene.Modell_Ausgabe();  // as a change handler runs it
        }
        if (rig.toolkit.error_boxes != boxes && !Recovered(rig))
            Fail("a recovery did not restore the start state");
        if (!AllFinite(scene.MorphSet) || !AllFinite(scene.ShapeSet) ||
            !AllFinite(scene.View1Set) || !AllFinite(scene.View2Set))
            Fail("a point set holds a non-finite value");
        if (!std::isfinite(scene.CameraDistance) || !std::isfinite(scene.EyeOffset) ||
            !std::isfinite(scene.ToeInAngle))
            Fail("a camera value is not finite");
        if (scene.Image1.Width() != width || scene.Image1.Height() != height)
            Fail("the raster changed its size");
        if (scene.Busy) Fail("Busy is still set after the frame");
        if (rig.toolkit.timer_enabled != (rig.toolkit.caption == "STOP"))
            Fail("the caption does not match the timer");
    }
    return 0;
}
