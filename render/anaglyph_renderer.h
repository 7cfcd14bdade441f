#pragma once

#include "render/frame_input.h"
#include "render/raster_surface.h"

namespace kaleidra {

// Draws the frame for the six colour pairs (effects 0 to 5): clears the
// surface to the background and draws both views as crosses.
void Anzeige(RasterSurface& Image1, const FrameInput& in);

}  // namespace kaleidra
