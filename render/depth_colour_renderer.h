#pragma once

#include <cstdint>

#include "render/frame_input.h"
#include "render/raster_surface.h"

namespace kaleidra {

// Draws the frame for "Chroma", "Pulfrich" and "Grau" (effects 6 to 8): clears
// the surface to the background and draws the visible points of view 1 as
// crosses in copy mode, coloured by depth. "Pulfrich" draws in point order,
// every other index from the farthest point to the nearest. Throws
// FloatingPointFault when a projection overflows or rounds outside the signed
// 64-bit range; what was drawn until then stays.
void Anzeige_Chroma(RasterSurface& Image1, const FrameInput& in);

// Sets the pen to the depth colour and size for depth d and draws the cross
// centred on (x, y) in the pen's current mode. Depths beyond -60..60 take the
// end colours. "Chroma" (6) runs the spectrum, "Pulfrich" (7) is white on
// black and black on white, any other effect index gets the grey ramp of
// "Grau" (8). Sizes follow SetzePunkt.
void SetzePunkt_Chroma(RasterSurface& Image1, const FrameInput& in, std::int32_t x, std::int32_t y,
                       double d);

// Hexcone conversion: hue H in degrees (360 and above count as 0), saturation
// S and value V from 0 to 1 give R, G, B from 0 to 1. The result for a negative
// hue is some finite colour, not a meaningful one. Throws FloatingPointFault
// only for inputs so large that an operation overflows.
void HSVtoRGB(double H, double S, double V, double& R, double& G, double& B);

}  // namespace kaleidra
