#pragma once

#include "render/frame_input.h"
#include "render/raster_surface.h"

namespace kaleidra {

// Draws the frame for "Chroma", "Pulfrich" and "Grau" (effects 6 to 8).
void Anzeige_Chroma(RasterSurface& Image1, const FrameInput& in);

}  // namespace kaleidra
