#include "render/anaglyph_renderer.h"

namespace kaleidra {

void Anzeige(RasterSurface& /*Image1*/, const FrameInput& /*in*/) {
    // Drawing arrives with the anaglyph renderer.
}

}  // namespace kaleidra
