#include "render/projection.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/fp_checks.h"
#include "core/wrapping_int.h"

namespace kaleidra {

namespace {

// x + offset held to the int range: a cross arm that would run past the limit
// ends there, where it is far off the surface either way.
int ArmEnd(std::int32_t x, std::int64_t offset) {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<int>(std::clamp(std::int64_t{x} + offset, kMin, kMax));
}

// n device pixels per design pixel, rounded, held to the int range; n itself
// at a scale of 1.
int ScaledSize(int n, double scale) {
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<int>(std::clamp(std::round(n * scale), kMin, kMax));
}

}  // namespace

ScreenFrame MakeScreenFrame(int width, int height, double pixel_scale) {
    const double a = width / 320.0;
    const double b = height / 200.0;
    return {width / 2, height / 2, b < a ? b : a, pixel_scale};
}

PixelPoint Project(const Point3D& p, StereoView view, double CameraDistance, double EyeOffset,
                   int plane_shift, const ScreenFrame& frame) {
    const double f = CheckedDiv(CameraDistance, CheckedSub(CameraDistance, p.z));
    const double e = plane_shift * frame.unit;
    double x = CheckedMul(p.x, f);
    if (view == StereoView::First) {
        x = CheckedSub(CheckedAdd(CheckedMul(CheckedSub(x, EyeOffset), frame.s), frame.cx), e);
    } else {
        x = CheckedAdd(CheckedAdd(CheckedMul(CheckedAdd(x, EyeOffset), frame.s), frame.cx), e);
    }
    const std::int32_t px = RoundLow32(x);
    const double y = CheckedAdd(CheckedMul(CheckedMul(p.y, f), frame.s), frame.cy);
    return {px, RoundLow32(y)};
}

double MeanDepth(double z1, double z2) {
    return CheckedDiv(CheckedAdd(z1, z2), 2.0);
}

int PointSize(int size, bool dynamic, double d) {
    if (!dynamic) return size;
    int change = -3;  // d <= -60, and NaN
    if (d > 60) {
        change = 2;
    } else if (d > 30) {
        change = 1;
    } else if (d > 0) {
        change = 0;
    } else if (d > -30) {
        change = -1;
    } else if (d > -60) {
        change = -2;
    }
    const int n = WrappingAdd(size, change);
    return n <= 1 ? 1 : n;
}

void DrawCross(RasterSurface& Image1, std::int32_t x, std::int32_t y, int n) {
    n = ScaledSize(n, Image1.PixelScale());
    Image1.SetPenWidth(n);
    Image1.MoveTo(ArmEnd(x, -std::int64_t{n}), y);
    Image1.LineTo(ArmEnd(x, n), y);
    Image1.MoveTo(x, ArmEnd(y, -std::int64_t{n}));
    Image1.LineTo(x, ArmEnd(y, n));
}

}  // namespace kaleidra
