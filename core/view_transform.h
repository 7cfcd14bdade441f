#pragma once

#include "core/control_panel.h"
#include "core/point_set.h"
#include "render/raster_surface.h"

namespace kaleidra {

// One still picture: `cloud` turned by the angles and drawn with the panel's
// settings into the raster, at its size and pixel scale, as a frame draws it
// once the cloud has arrived. False when a setting faults; the raster then
// holds what was drawn before the fault.
bool DrawStill(const PointSet& cloud, int AngleX, int AngleY, int AngleZ, const ControlPanel& panel,
               RasterSurface& Image1);

}  // namespace kaleidra
