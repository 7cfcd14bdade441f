// The renderers clear only what the last frames drew, and the surface records
// what the window must repaint. Both must leave exactly the image of a full
// clear and redraw, whatever came before.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "core/control_defaults.h"
#include "core/fp_checks.h"
#include "render/anaglyph_renderer.h"
#include "render/depth_colour_renderer.h"
#include "render/raster_surface.h"
#include "render_fixtures.h"

namespace kaleidra {
namespace {

using testing::FrameSettings;
using testing::Surface;

// The settings of a steady frame: the default base, size 4 by depth.
FrameSettings Steady() {
    FrameSettings k;
    k.EyeOffset = 4.0;
    k.SpinEdit4 = 4;
    k.CheckBox3 = true;
    return k;
}

// Draws one frame as the frame procedure does; a fault ends it where it
// arises, and is reported.
bool Render(RasterSurface& s, const PointSet& v1, const PointSet& v2, const FrameSettings& k) {
    const FrameInput in = k.Of(v1, v2);
    try {
        if (IsDepthColourEffect(in.RadioGroup2)) {
            Anzeige_Chroma(s, in);
        } else {
            Anzeige(s, in);
        }
    } catch (const FloatingPointFault&) {
        return false;
    }
    return true;
}

bool SameImage(const RasterSurface& a, const RasterSurface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    const std::size_t n = static_cast<std::size_t>(a.Width()) * a.Height();
    return n == 0 || std::memcmp(a.Bits(), b.Bits(), n * 4) == 0;
}

// What the window shows is what the surface holds.
bool ShownIs(const std::vector<std::uint32_t>& shown, const RasterSurface& s) {
    return shown.empty() || std::memcmp(shown.data(), s.Bits(), shown.size() * 4) == 0;
}

std::int64_t ChangedArea(const RasterSurface& s) {
    std::int64_t area = 0;
    s.ForEachChangedRect(
        [&](const PixelRect& r) { area += std::int64_t{r.right - r.left} * (r.bottom - r.top); });
    return area;
}

// What the window shows: it copies the changed rectangles, nothing else.
// Also checks that the rectangles come in the banded form the window hands
// to its region as it is.
void Repaint(RasterSurface& s, std::vector<std::uint32_t>& shown) {
    PixelRect last{-1, -1, -1, -1};
    s.ForEachChangedRect([&](const PixelRect& r) {
        ASSERT_FALSE(r.Empty());
        ASSERT_GE(r.left, 0);
        ASSERT_GE(r.top, 0);
        ASSERT_LE(r.right, s.Width());
        ASSERT_LE(r.bottom, s.Height());
        if (r.top == last.top) {
            ASSERT_EQ(r.bottom, last.bottom);
            ASSERT_GT(r.left, last.right);  // neither overlapping nor touching
        } else {
            ASSERT_GE(r.top, last.bottom);
        }
        last = r;
        for (int y = r.top; y < r.bottom; ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * s.Width();
            std::memcpy(shown.data() + row + r.left, s.Bits() + row + r.left,
                        static_cast<std::size_t>(r.right - r.left) * 4);
        }
    });
    s.ForgetChanges();
}

class RandomFrames {
public:
    explicit RandomFrames(unsigned seed) : rng_(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    double Real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng_);
    }
    bool Chance(double p) { return Real(0, 1) < p; }

    Colour AnyColour() {
        switch (Int(0, 3)) {
            case 0:
                return 0x000000;
            case 1:
                return 0xFFFFFF;
            default:
                return static_cast<Colour>(Int(0, 0xFFFFFF));
        }
    }

    void Size(int& w, int& h) {
        static constexpr int kSizes[][2] = {{0, 0},     {1, 1},    {7, 5},     {64, 48},
                                            {320, 200}, {333, 97}, {100, 300}, {17, 33}};
        if (Chance(0.2)) {
            w = Int(0, 200);
            h = Int(0, 200);
        } else {
            const auto& s = kSizes[Int(0, 7)];
            w = s[0];
            h = s[1];
        }
    }

    FrameSettings AnySettings() {
        FrameSettings k;
        k.CameraDistance = Chance(0.8) ? 130.0 : Real(20, 400);
        k.EyeOffset = Chance(0.5) ? 4.0 : Real(-20, 20);
        k.RadioGroup1 = Chance(0.1) ? Int(-1, 2) : Int(0, 1);
        k.RadioGroup2 = Int(-1, kEffectCount);
        k.SpinEdit9 = Int(-25, 25);
        k.SpinEdit4 = Chance(0.1) ? Int(-3, 40) : Int(1, 10);
        k.CheckBox3 = Chance(0.5);
        return k;
    }

    // A cloud about the centre, with points near and behind the camera, far
    // outside the area, and now and then one whose pixel cannot be rounded.
    void Points(PointSet& v1, PointSet& v2, const FrameSettings& k) {
        const bool fault = Chance(0.1);
        const int faulty = Int(1, kPointCount);
        for (int i = 1; i <= kPointCount; ++i) {
            Point3D p{Real(-80, 80), Real(-60, 60), Real(-100, 100)};
            const double kind = Real(0, 1);
            if (kind < 0.05) {
                p.x = Real(-1e5, 1e5);
            } else if (kind < 0.1) {
                p.z = k.CameraDistance - Real(0.01, 2.0);
            } else if (kind < 0.13) {
                p.z = k.CameraDistance + Real(0, 10);
            }
            if (fault && i == faulty) p.x = 1e300;
            v1[i] = p;
            v2[i] = Chance(0.8) ? Point3D{p.x + Real(-8, 8), p.y, p.z + Real(-3, 3)} : p;
        }
    }

    // A stroke from anywhere to anywhere, at times as wide as the area; or
    // more short strokes than the surface's record of its writes lists.
    void StrayStroke(RasterSurface& s) {
        s.SetPenColour(AnyColour());
        s.SetPenWidth(Chance(0.1) ? Int(100, 500) : Int(-1, 9));
        s.SetPenMode(static_cast<RasterMode>(Int(0, 2)));
        const bool many = Chance(0.1);
        for (int i = 0; i < (many ? 3000 : 1); ++i) {
            const int x = Int(-50, s.Width() + 50);
            const int y = Int(-50, s.Height() + 50);
            s.MoveTo(x, y);
            s.LineTo(many ? x + 1 : Int(-50, s.Width() + 50), many ? y : Int(-50, s.Height() + 50));
        }
    }

private:
    std::mt19937 rng_;
};

TEST(IncrementalClear, RandomFramesMatchAFullClearAndRedrawPixelForPixel) {
    RandomFrames random(20240611u);
    RasterSurface image;  // kept from frame to frame, as the scene keeps it
    RasterSurface fresh;  // cleared in full before every frame
    std::vector<std::uint32_t> shown;
    PointSet v1;
    PointSet v2;
    int faults = 0;
    int partial_clears = 0;

    for (int frame = 0; frame < 4000; ++frame) {
        SCOPED_TRACE(frame);
        if (frame == 0 || random.Chance(0.04)) {
            int w = 0;
            int h = 0;
            random.Size(w, h);
            // What the window showed is gone only when the size changes.
            if (w != image.Width() || h != image.Height())
                shown.assign(static_cast<std::size_t>(w) * h, 0xDEADBEEFu);
            // A window resized while stopped keeps its picture.
            if (random.Chance(0.5)) {
                image.ResizeKeeping(w, h, random.AnyColour());
            } else {
                image.Resize(w, h);
            }
            fresh.Resize(w, h);
        }
        if (random.Chance(0.04)) {  // as the window's start-up fill
            image.SetBrushColour(random.AnyColour());
            image.FillRect(0, 0, image.Width(), image.Height());
        }
        if (random.Chance(0.05)) {
            image.SetBrushColour(random.AnyColour());
            image.FillRect(random.Int(-20, 100), random.Int(-20, 100), random.Int(-20, 400),
                           random.Int(-20, 400));
        }
        if (random.Chance(0.05)) random.StrayStroke(image);
        if (random.Chance(0.5)) {
            Repaint(image, shown);
            ASSERT_TRUE(ShownIs(shown, image));
        }

        const FrameSettings k = random.AnySettings();
        random.Points(v1, v2, k);
        // A negative size keeps the pen width the previous stroke left.
        fresh.SetPenWidth(image.PenWidth());
        fresh.SetBrushColour(k.RadioGroup1 == 0 ? 0x000000 : 0xFFFFFF);
        fresh.FillRect(0, 0, fresh.Width(), fresh.Height());
        image.SetBrushColour(0x123456);  // whatever the clear must overwrite
        const std::int64_t before = ChangedArea(image);
        const bool ok = Render(image, v1, v2, k);
        ASSERT_EQ(ok, Render(fresh, v1, v2, k));
        if (!ok) ++faults;
        if (!image.AllChanged() && before == 0) ++partial_clears;
        ASSERT_TRUE(SameImage(image, fresh));
    }
    // The run went through both kinds of clear and through failed frames.
    EXPECT_GT(faults, 100);
    EXPECT_GT(partial_clears, 500);
    Repaint(image, shown);
    EXPECT_TRUE(ShownIs(shown, image));
}

// A cloud of 100 points at 1920 x 1080, turning a little from frame to frame.
struct BigFrame {
    BigFrame() {
        image.Resize(1920, 1080);
        Place(0.0);
    }
    void Place(double turn) {
        for (int i = 1; i <= kPointCount; ++i) {
            const double a = i * 0.37 + turn;
            v1[i] = {60 * std::cos(a), 40 * std::sin(i * 1.3), 60 * std::sin(a)};
            v2[i] = {v1[i].x - 8, v1[i].y, v1[i].z};
        }
    }
    RasterSurface image;
    PointSet v1;
    PointSet v2;
    FrameSettings k = Steady();
};

TEST(IncrementalClear, ASteadyFrameRewritesOnlyTheCrosses) {
    BigFrame f;
    ASSERT_TRUE(Render(f.image, f.v1, f.v2, f.k));
    EXPECT_TRUE(f.image.AllChanged());  // the first clear fills all
    f.image.ForgetChanges();
    f.Place(0.05);
    ASSERT_TRUE(Render(f.image, f.v1, f.v2, f.k));
    EXPECT_FALSE(f.image.AllChanged());
    // Old and new crosses: a small share of the area.
    EXPECT_LT(ChangedArea(f.image), 1920 * 1080 / 20);

    // The same for the depth colours, on white.
    f.k.RadioGroup2 = 6;
    f.k.RadioGroup1 = 1;
    ASSERT_TRUE(Render(f.image, f.v1, f.v2, f.k));
    EXPECT_TRUE(f.image.AllChanged());  // a new background fills all
    f.image.ForgetChanges();
    ASSERT_TRUE(Render(f.image, f.v1, f.v2, f.k));
    EXPECT_FALSE(f.image.AllChanged());
    EXPECT_LT(ChangedArea(f.image), 1920 * 1080 / 20);
}

TEST(IncrementalClear, ClearMatchesAWholeFillWhateverTheBrush) {
    RasterSurface image = Surface(40, 30, 0xFFFFFF);
    image.SetPenColour(0x0000FF);
    image.SetPenWidth(2);
    image.MoveTo(5, 5);
    image.LineTo(30, 5);
    for (Colour brush : {0xFFFFFFu, 0xFFFFFFu, 0x000000u, 0xFF000000u, 0x000000u}) {
        image.SetBrushColour(brush);
        image.Clear();
        EXPECT_EQ(testing::PixelsNot(image, brush & 0xFFFFFFu), testing::PixelSet{});
    }
}

TEST(ChangeRecord, NamesTheColumnsAndRowsWrittenAndStartsAnewWhenForgotten) {
    constexpr int kColumn = RasterSurface::kChangeColumn;
    constexpr int kBand = RasterSurface::kChangeBand;
    static_assert(kBand > 5 && kColumn > 2, "the first strokes below fall in band 0, column 0");
    constexpr int kWidth = 8 * kColumn;
    RasterSurface image;
    image.Resize(kWidth, 3 * kBand);
    EXPECT_TRUE(image.AllChanged());
    std::vector<std::vector<int>> rects;
    auto collect = [&] {
        rects.clear();
        image.ForEachChangedRect([&](const PixelRect& r) {
            rects.push_back({r.left, r.top, r.right, r.bottom});
        });
    };
    collect();
    EXPECT_EQ(rects, (std::vector<std::vector<int>>{{0, 0, kWidth, 3 * kBand}}));

    image.ForgetChanges();
    EXPECT_FALSE(image.Changed());
    collect();
    EXPECT_TRUE(rects.empty());

    image.SetPenWidth(1);
    image.MoveTo(2, 3);
    image.LineTo(3, 3);  // one pixel
    image.MoveTo(kColumn + 1, 5);
    image.LineTo(kColumn + 2, 5);  // the next column: one run with the first
    image.MoveTo(5 * kColumn, 4);
    image.LineTo(5 * kColumn + 1, 4);  // columns apart: a run of its own
    image.MoveTo(2 * kColumn + 1, kBand + 2);
    image.LineTo(kWidth + 20, kBand + 2);  // runs off the right edge
    EXPECT_TRUE(image.Changed());
    EXPECT_FALSE(image.AllChanged());
    collect();
    // A band's rectangles share the rows written anywhere in the band.
    EXPECT_EQ(rects, (std::vector<std::vector<int>>{
                         {0, 3, 2 * kColumn, 6},
                         {5 * kColumn, 3, 6 * kColumn, 6},
                         {2 * kColumn, kBand + 2, kWidth, kBand + 3},
                     }));

    image.ForgetChanges();
    image.SetBrushColour(0x00FF00);
    image.FillRect(0, 0, kWidth, 3 * kBand);
    EXPECT_TRUE(image.AllChanged());
    image.ForgetChanges();
    image.Resize(kWidth, 3 * kBand);  // the same size keeps everything
    EXPECT_FALSE(image.Changed());
    image.Resize(41, 20);
    EXPECT_TRUE(image.AllChanged());
    EXPECT_EQ(image.Pixel(0, 0), 0x000000u);

    image.FillRect(0, 0, 41, 20);  // green
    image.ForgetChanges();
    image.ResizeKeeping(50, 10, 0xFFFFFF);
    EXPECT_TRUE(image.AllChanged());
    EXPECT_EQ(image.Pixel(40, 9), 0x00FF00u) << "kept where the sizes overlap";
    EXPECT_EQ(image.Pixel(41, 0), 0xFFFFFFu) << "exposed";
}

}  // namespace
}  // namespace kaleidra
