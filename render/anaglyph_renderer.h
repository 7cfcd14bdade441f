#pragma once

#include <cstdint>

#include "render/frame_input.h"
#include "render/raster_surface.h"

namespace kaleidra {

// Draws the frame for the six colour pairs (effects 0 to 5): clears the
// surface to the background and draws both views as crosses, view 1 copied in
// the first colour of the pair (the second on white), view 2 merged over it on
// black or masked into it on white. An effect index outside 0 to 5 draws with
// red and cyan. Throws FloatingPointFault when a projection overflows or rounds
// outside the signed 64-bit range; what was drawn until then stays.
void Anzeige(RasterSurface& Image1, const FrameInput& in);

// Draws one point cross centred on (x, y) for depth d with the pen's current
// colour and mode, sizing it from "Größe" and "dynam. Größe". A size that ends
// up 0 draws nothing; a negative one keeps the previous pen width and draws the
// strokes with their ends exchanged.
void SetzePunkt(RasterSurface& Image1, const FrameInput& in, std::int32_t x, std::int32_t y,
                double d);

}  // namespace kaleidra
