#pragma once

// The stereo camera and the view transform, and the drawing of the two views,
// as a frame runs them; also one still picture without a frame around it.

#include "core/control_panel.h"
#include "core/point_set.h"
#include "render/raster_surface.h"

namespace kaleidra {

// The camera values from the panel's position, base, projection and effect.
// "direkt" divides by the distance: a distance of 0 faults there, leaving
// CameraDistance 0 and ToeInAngle as it was.
void Berechne_Basis(const ControlPanel& panel, double& CameraDistance, double& EyeOffset,
                    double& ToeInAngle);

// WorkSet turned by the angles and seen from the two cameras into View1Set and
// View2Set: shifted by the eye offset ("parallel") or turned by the toe-in
// ("direkt").
void TransformViews(const PointSet& WorkSet, int AngleX, int AngleY, int AngleZ,
                    bool parallel, double EyeOffset, double ToeInAngle, PointSet& View1Set,
                    PointSet& View2Set);

// The two views into the raster with the renderer of the panel's effect.
void DrawViews(const ControlPanel& panel, const PointSet& View1Set, const PointSet& View2Set,
               double CameraDistance, double EyeOffset, RasterSurface& Image1);

// One still picture: `cloud` turned by the angles and drawn with the panel's
// settings into the raster, at its size and pixel scale, as a frame would
// draw it once the cloud has arrived. False when a setting faults; the raster
// then holds what was drawn before the fault.
bool DrawStill(const PointSet& cloud, int AngleX, int AngleY, int AngleZ,
               const ControlPanel& panel, RasterSurface& Image1);

}  // namespace kaleidra
