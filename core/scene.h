#pragma once

// The scene: the point sets, the frame state, the camera values and the
// raster, and the frame cycle that drives them. A timer tick (Timer1Timer)
// advances the counter and the angles and runs one frame (Modell_Ausgabe)
// unless one is under way; a frame builds a due shape, morphs, copies, runs
// the view transform, draws into the raster and lets the toolkit process
// pending events. A fault anywhere in a frame ends it and runs the recovery.

#include "core/control_panel.h"
#include "core/point_set.h"
#include "core/random_source.h"
#include "core/toolkit.h"
#include "render/raster_surface.h"

namespace kaleidra {

inline constexpr int kTickMilliseconds = 20;
inline constexpr int kSwitchThreshold = 1000;
inline constexpr int kShapeCount = 24;

class Scene final : public FrameRunner {
public:
    Scene(ControlPanel& panel, Toolkit& toolkit, RandomSource& random);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The engine's whole start-up, as the window's creation runs it: no
    // frame under way, every setting at its default, the drawing area filled
    // with the background colour, then Init.
    void StartUp();
    // The frame-state half of the start-up: start values, shape 1, the cloud
    // at the origin, the 20 ms timer, and the animation started.
    void Init();
    // Toggles the animation; the state comes from the timer alone.
    void StartButtonClick();
    void Timer1Timer();
    // One frame. No error ever leaves it.
    void Modell_Ausgabe() override;
    // Every control back to its default (with the handlers that fire), then
    // the three angles to 0.
    void Standardwerte();

    // The frame state. Public so that the window and the tests see exactly
    // what the frame cycle works with.
    PointSet ShapeSet;
    PointSet MorphSet;
    PointSet WorkSet;
    PointSet View1Set;
    PointSet View2Set;
    int AngleX = 0;
    int AngleY = 0;
    int AngleZ = 0;
    int SwitchCounter = 0;
    int ShapeNo = 0;
    bool NewShape = false;
    bool Busy = false;

    // Camera values, written only by the camera set-up, Berechne_Basis.
    double CameraDistance = 0.0;
    double EyeOffset = 0.0;
    double ToeInAngle = 0.0;

    // The raster behind the drawing area Image1.
    RasterSurface Image1;

private:
    void RunFrameSteps();
    void Recover();
    void StartAfresh();
    void ViewTransform();  // with the camera set-up: core/view_transform.cpp
    void Draw();

    ControlPanel& panel_;
    Toolkit& toolkit_;
    RandomSource& random_;
};

}  // namespace kaleidra
