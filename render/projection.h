#pragma once

// What the anaglyph and the depth-colour renderer have in common: the screen
// frame, the perspective projection of a view onto it, the point-size rule
// and the cross every point is drawn as.

#include <cstdint>

#include "core/point_set.h"
#include "render/raster_surface.h"

namespace kaleidra {

// The 320 x 200 reference area fitted into the drawing area with its aspect
// kept: centre (cx, cy) and scale s; `unit` is the raster's pixel scale, by
// which the picture-plane shift (given in pixels) grows.
struct ScreenFrame {
    int cx;
    int cy;
    double s;
    double unit = 1.0;
};

// cx = W div 2, cy = H div 2, s = min(W / 320, H / 200) (W / 320 when equal).
// Any sizes are accepted; a zero size gives s = 0, which draws every point at
// the centre.
ScreenFrame MakeScreenFrame(int width, int height, double pixel_scale = 1.0);

// Which of the stereo pair a point belongs to. View 1 is shifted left by the
// eye offset and the picture-plane shift, view 2 right by the same amounts.
enum class StereoView { First, Second };

struct PixelPoint {
    std::int32_t x;
    std::int32_t y;
};

// A point is drawn only when it lies in front of the camera in both views
// (strictly). NaN depths are never visible.
inline bool Visible(double CameraDistance, double z1, double z2) {
    return CameraDistance > z1 && CameraDistance > z2;
}

// The pixel a visible point of `view` lands on. The result keeps the low 32
// bits of the rounded (half to even) 64-bit value. Throws FloatingPointFault
// when an operation overflows or a coordinate rounds outside the signed 64-bit
// range; for a point that is not visible the result is meaningless.
PixelPoint Project(const Point3D& p, StereoView view, double CameraDistance, double EyeOffset,
                   int plane_shift, const ScreenFrame& frame);

// The depth d of a point: the mean of its two view depths. Throws
// FloatingPointFault when the sum overflows.
double MeanDepth(double z1, double z2);

// The cross size n for a point at depth d. With `dynamic` the size grows or
// shrinks by the depth band and is at least 1; without it the size is used as
// given, even when it is 0 or negative.
int PointSize(int size, bool dynamic, double d);

// Sets the pen width n and draws the cross centred on (x, y): a stroke from
// (x - n, y) to (x + n, y), then one from (x, y - n) to (x, y + n), with the
// pen's colour and mode. n = 0 draws nothing; a negative n leaves the pen
// width as it was and draws the strokes with their ends exchanged. Arm ends
// beyond the int range stop at its limit instead of wrapping to the far side.
// On a raster with a pixel scale other than 1, n is that many times larger,
// rounded, so that both arms keep one width and one length.
void DrawCross(RasterSurface& Image1, std::int32_t x, std::int32_t y, int n);

}  // namespace kaleidra
