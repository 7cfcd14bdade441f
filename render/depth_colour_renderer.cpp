#include "render/depth_colour_renderer.h"

namespace kaleidra {

void Anzeige_Chroma(RasterSurface& /*Image1*/, const FrameInput& /*in*/) {
    // Drawing arrives with the depth-colour renderer.
}

}  // namespace kaleidra
