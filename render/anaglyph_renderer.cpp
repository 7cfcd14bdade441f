#include "render/anaglyph_renderer.h"

#include "render/projection.h"

namespace kaleidra {

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;

struct ColourPair {
    Colour first;
    Colour second;
};

// "Rot/Cyan", "Rot/Blau", "Rot/Grün", "Magenta/Grün", "Grün/Blau", "Gelb/Blau".
constexpr ColourPair kColourPairs[] = {
    {0x0000FF, 0xFFFF00}, {0x0000FF, 0xFF0000}, {0x0000FF, 0x00FF00},
    {0xFF00FF, 0x00FF00}, {0x00FF00, 0xFF0000}, {0x00FFFF, 0xFF0000},
};

ColourPair ColourPairOf(int effect) {
    if (effect < 0 || effect > 5) return kColourPairs[0];  // no item selected
    return kColourPairs[effect];
}

void DrawView(RasterSurface& Image1, const FrameInput& in, const ScreenFrame& frame,
              StereoView view) {
    const PointSet& set = view == StereoView::First ? in.View1Set : in.View2Set;
    for (int i = 1; i <= kPointCount; ++i) {
        const double z1 = in.View1Set[i].z;
        const double z2 = in.View2Set[i].z;
        if (!Visible(in.CameraDistance, z1, z2)) continue;
        const PixelPoint p =
            Project(set[i], view, in.CameraDistance, in.EyeOffset, in.SpinEdit9, frame);
        SetzePunkt(Image1, in, p.x, p.y, MeanDepth(z1, z2));
    }
}

}  // namespace

void Anzeige(RasterSurface& Image1, const FrameInput& in) {
    const ScreenFrame frame = MakeScreenFrame(Image1.Width(), Image1.Height(), Image1.PixelScale());
    const ColourPair pair = ColourPairOf(in.RadioGroup2);
    const bool black = in.RadioGroup1 == 0;

    // Clear rewrites only what earlier strokes left when the background is
    // the one already there; the result is that of a whole-area fill.
    Image1.SetBrushColour(black ? kBlack : kWhite);
    Image1.Clear();

    Image1.SetPenMode(RasterMode::Copy);
    Image1.SetPenColour(black ? pair.first : pair.second);
    DrawView(Image1, in, frame, StereoView::First);

    // On black the second colour adds to the first; on white it filters it.
    Image1.SetPenMode(black ? RasterMode::Merge : RasterMode::Mask);
    Image1.SetPenColour(black ? pair.second : pair.first);
    DrawView(Image1, in, frame, StereoView::Second);
}

void SetzePunkt(RasterSurface& Image1, const FrameInput& in, std::int32_t x, std::int32_t y,
                double d) {
    DrawCross(Image1, x, y, PointSize(in.SpinEdit4, in.CheckBox3, d));
}

}  // namespace kaleidra
