#pragma once

// Small surfaces and frames for pixel tests of the raster and the renderers.

#include <set>
#include <utility>

#include "render/frame_input.h"
#include "render/raster_surface.h"

namespace kaleidra::testing {

using PixelSet = std::set<std::pair<int, int>>;

inline RasterSurface Surface(int width, int height, Colour background = 0x000000) {
    RasterSurface s;
    s.Resize(width, height);
    s.SetBrushColour(background);
    s.FillRect(0, 0, width, height);
    return s;
}

// Every pixel that shows `colour`; with `showing` false, every pixel that
// does not (no longer shows the background, say).
inline PixelSet PixelsOf(const RasterSurface& s, Colour colour, bool showing = true) {
    PixelSet found;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            if ((s.Pixel(x, y) == colour) == showing) found.insert({x, y});
        }
    }
    return found;
}

inline PixelSet PixelsNot(const RasterSurface& s, Colour background) {
    return PixelsOf(s, background, false);
}

// The three pixels of a 1-pixel cross: the arms leave out their end points.
inline PixelSet ThinCross(int x, int y) {
    return {{x - 1, y}, {x, y}, {x, y - 1}};
}

inline Colour Rgb(unsigned r, unsigned g, unsigned b) {
    return r + 256u * g + 65536u * b;
}

// A frame in which every point sits at the camera and so is hidden: a test
// sees only the points it places. Settings start at black, "Rot/Cyan", no
// plane shift, size 1 without depth sizing.
struct FrameSettings {
    FrameInput Of(const PointSet& View1Set, const PointSet& View2Set) const {
        return {View1Set,    View2Set,  CameraDistance, EyeOffset, RadioGroup1,
                RadioGroup2, SpinEdit9, SpinEdit4,      CheckBox3};
    }

    double CameraDistance = 130.0;
    double EyeOffset = 0.0;
    int RadioGroup1 = 0;
    int RadioGroup2 = 0;
    int SpinEdit9 = 0;
    int SpinEdit4 = 1;
    bool CheckBox3 = false;
};

struct TestFrame : FrameSettings {
    TestFrame() {
        for (int i = 1; i <= kPointCount; ++i) {
            View1Set[i].z = CameraDistance;
            View2Set[i].z = CameraDistance;
        }
    }
    void Place(int i, Point3D first, Point3D second) {
        View1Set[i] = first;
        View2Set[i] = second;
    }
    void Place(int i, Point3D both) { Place(i, both, both); }
    FrameInput Input() const { return Of(View1Set, View2Set); }

    PointSet View1Set;
    PointSet View2Set;
};

// On an 8 x 8 surface (centre 4, 4; scale 1/40) the scene point of pixel
// (px, py) at depth 0.
inline Point3D On8(int px, int py) {
    return {(px - 4) * 40.0, (py - 4) * 40.0, 0.0};
}

}  // namespace kaleidra::testing
