#include "render/depth_colour_renderer.h"

#include <array>
#include <cmath>

#include "core/control_defaults.h"
#include "core/fp_checks.h"
#include "render/projection.h"

namespace kaleidra {

namespace {

struct DepthEntry {
    int point;
    double depth;
};

// A colour component 0..1 as its 8-bit channel value.
std::uint32_t Channel(double c) {
    return static_cast<std::uint32_t>(RoundLow32(CheckedMul(255.0, c)));
}

}  // namespace

void Anzeige_Chroma(RasterSurface& Image1, const FrameInput& in) {
    const ScreenFrame frame = MakeScreenFrame(Image1.Width(), Image1.Height(), Image1.PixelScale());
    Image1.SetBrushColour(in.RadioGroup1 == 0 ? 0x000000 : 0xFFFFFF);
    Image1.Clear();  // as a whole-area fill, rewriting only what strokes left
    Image1.SetPenMode(RasterMode::Copy);

    // Position k of the list is depth_list[k - 1].
    std::array<DepthEntry, kPointCount> depth_list;
    for (int k = 1; k <= kPointCount; ++k) {
        depth_list[k - 1] = {k, MeanDepth(in.View1Set[k].z, in.View2Set[k].z)};
    }

    for (int i = 1; i <= kPointCount; ++i) {
        int n = i;
        if (in.RadioGroup2 != kEffectPulfrich) {
            // Selection from the front: the farthest of positions 1..L moves to
            // L, so the points come out far to near and nearer crosses cover
            // farther ones.
            const int last = kPointCount + 1 - i;
            int m = 1;
            for (int k = 2; k <= last; ++k) {
                if (depth_list[k - 1].depth < depth_list[m - 1].depth) m = k;
            }
            const DepthEntry candidate = depth_list[m - 1];
            depth_list[m - 1] = depth_list[last - 1];
            depth_list[last - 1] = candidate;
            n = candidate.point;
        }

        const Point3D& p = in.View1Set[n];
        const double z2 = in.View2Set[n].z;
        if (!Visible(in.CameraDistance, p.z, z2)) continue;
        const PixelPoint px =
            Project(p, StereoView::First, in.CameraDistance, in.EyeOffset, in.SpinEdit9, frame);
        SetzePunkt_Chroma(Image1, in, px.x, px.y, MeanDepth(p.z, z2));
    }
}

void SetzePunkt_Chroma(RasterSurface& Image1, const FrameInput& in, std::int32_t x, std::int32_t y,
                       double d) {
    const bool black = in.RadioGroup1 == 0;
    double v = CheckedAdd(d, 60.0);
    if (v < 0) v = 0;
    if (v > 120) v = 120;
    if (black) v = 120 - v;  // nearest bright on black, dark on white
    v = v / 120 * 255;

    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    if (in.RadioGroup2 == kEffectChroma) {
        HSVtoRGB(v, 1.0, 1.0, r, g, b);
    } else if (in.RadioGroup2 == kEffectPulfrich) {
        // The background test of the clear: white on black, black otherwise.
        r = g = b = black ? 1.0 : 0.0;
    } else {
        r = g = b = 1.0 - v / 255;
    }

    const int n = PointSize(in.SpinEdit4, in.CheckBox3, d);
    Image1.SetPenColour(Channel(r) + 256u * Channel(g) + 65536u * Channel(b));
    DrawCross(Image1, x, y, n);
}

void HSVtoRGB(double H, double S, double V, double& R, double& G, double& B) {
    if (S == 0) {
        R = G = B = V;
        return;
    }
    double h = H >= 360 ? 0.0 : H;
    h = h / 60;
    // Truncation of a hue beyond the 64-bit range faults like any such conversion.
    const std::int64_t i = RoundToInt64(std::trunc(h));
    const double f = h - static_cast<double>(i);
    const double p = CheckedMul(1 - S, V);
    const double q = CheckedMul(CheckedSub(1, CheckedMul(S, f)), V);
    const double t = CheckedMul(CheckedSub(1, CheckedMul(CheckedSub(1, f), S)), V);
    switch (i) {
        case 0:
            R = V, G = t, B = p;
            break;
        case 1:
            R = q, G = V, B = p;
            break;
        case 2:
            R = p, G = V, B = t;
            break;
        case 3:
            R = p, G = q, B = V;
            break;
        case 4:
            R = t, G = p, B = V;
            break;
        default:
            R = V, G = p, B = q;
            break;  // 5, and hues no caller passes
    }
}

}  // namespace kaleidra
