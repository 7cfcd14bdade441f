#include "render/depth_colour_renderer.h"

#include <gtest/gtest.h>

#include "core/control_defaults.h"
#include "core/fp_checks.h"
#include "render_fixtures.h"

namespace kaleidra {
namespace {

using testing::On8;
using testing::PixelSet;
using testing::PixelsNot;
using testing::PixelsOf;
using testing::Rgb;
using testing::Surface;
using testing::TestFrame;
using testing::ThinCross;

constexpr int kChroma = kEffectChroma;
constexpr int kPulfrich = kEffectPulfrich;
constexpr int kGrau = kEffectGrau;
constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;

// The colour SetzePunkt_Chroma picks for depth d.
Colour DepthColour(int effect, int background, double d) {
    RasterSurface scratch = Surface(8, 8);
    TestFrame frame;
    frame.RadioGroup1 = background;
    frame.RadioGroup2 = effect;
    SetzePunkt_Chroma(scratch, frame.Input(), 4, 4, d);
    EXPECT_EQ(scratch.Pixel(4, 4), scratch.PenColour());
    return scratch.PenColour();
}

// View 1 at depth 0 keeps its pixel; view 2 carries the depth: d = z2 / 2.
void PlaceAtDepth(TestFrame& frame, int i, Point3D first, double d) {
    frame.Place(i, first, {first.x, first.y, 2 * d});
}

TEST(DepthColour, MatchesTheTableOnBothBackgrounds) {
    struct Case {
        double d;
        Colour chroma_black, grau_black, chroma_white, grau_white;
    };
    const Case cases[] = {
        {100, Rgb(255, 0, 0), Rgb(255, 255, 255), Rgb(64, 0, 255), Rgb(0, 0, 0)},
        {60, Rgb(255, 0, 0), Rgb(255, 255, 255), Rgb(64, 0, 255), Rgb(0, 0, 0)},
        {45, Rgb(255, 135, 0), Rgb(223, 223, 223), Rgb(0, 72, 255), Rgb(32, 32, 32)},
        {30, Rgb(239, 255, 0), Rgb(191, 191, 191), Rgb(0, 207, 255), Rgb(64, 64, 64)},
        {15, Rgb(104, 255, 0), Rgb(159, 159, 159), Rgb(0, 255, 167), Rgb(96, 96, 96)},
        {0, Rgb(0, 255, 32), Rgb(128, 128, 128), Rgb(0, 255, 32), Rgb(128, 128, 128)},
        {-30, Rgb(0, 207, 255), Rgb(64, 64, 64), Rgb(239, 255, 0), Rgb(191, 191, 191)},
        {-60, Rgb(64, 0, 255), Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(255, 255, 255)},
        {-1e300, Rgb(64, 0, 255), Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DepthColour(kChroma, 0, c.d), c.chroma_black) << c.d;
        EXPECT_EQ(DepthColour(kGrau, 0, c.d), c.grau_black) << c.d;
        EXPECT_EQ(DepthColour(kChroma, 1, c.d), c.chroma_white) << c.d;
        EXPECT_EQ(DepthColour(kGrau, 1, c.d), c.grau_white) << c.d;
    }
}

TEST(DepthColour, PulfrichIsWhiteOnBlackAndBlackOnAnyOtherBackground) {
    // Backgrounds other than 0 and 1 (none selected) still clear to white and
    // must not spill the component 1 - index into the other channels.
    struct Case {
        int background;
        Colour cleared, point;
    };
    const Case cases[] = {
        {0, kBlack, kWhite}, {1, kWhite, kBlack}, {-1, kWhite, kBlack}, {2, kWhite, kBlack}};
    for (const Case& c : cases) {
        for (double d : {-100.0, 0.0, 45.0}) {
            EXPECT_EQ(DepthColour(kPulfrich, c.background, d), c.point) << c.background;
        }
        RasterSurface image = Surface(8, 8, 0x808080);
        TestFrame frame;
        frame.RadioGroup1 = c.background;
        frame.RadioGroup2 = kPulfrich;
        PlaceAtDepth(frame, 1, On8(2, 2), 50);
        PlaceAtDepth(frame, 50, On8(5, 5), -50);
        Anzeige_Chroma(image, frame.Input());
        PixelSet expected = ThinCross(2, 2);
        for (const auto& p : ThinCross(5, 5))
            expected.insert(p);
        EXPECT_EQ(PixelsOf(image, c.point), expected) << c.background;
        EXPECT_EQ(PixelsOf(image, c.cleared).size(), 64u - 6u) << c.background;
    }
}

TEST(HSVtoRGB, ConvertsEachSectorAndTheEdgeHues) {
    struct Case {
        double h, s, v;
        double r, g, b;
    };
    const Case cases[] = {
        {123, 0, 0.3, 0.3, 0.3, 0.3}, {1e300, 0, 0.7, 0.7, 0.7, 0.7},  // grey whatever the hue
        {0, 1, 1, 1, 0, 0},           {360, 1, 1, 1, 0, 0},
        {400, 1, 1, 1, 0, 0},         {360, 0.5, 0.8, 0.8, 0.4, 0.4},
        {300, 1, 1, 1, 0, 1},         {30, 1, 1, 1, 0.5, 0},
        {90, 1, 1, 0.5, 1, 0},        {150, 1, 1, 0, 1, 0.5},
        {210, 1, 1, 0, 0.5, 1},       {270, 1, 1, 0.5, 0, 1},
        {330, 1, 1, 1, 0, 0.5},       {60, 1, 1, 1, 1, 0},
        {120, 1, 1, 0, 1, 0},         {180, 1, 1, 0, 1, 1},
        {240, 1, 1, 0, 0, 1},         {255, 1, 1, 0.25, 0, 1},
    };
    for (const Case& c : cases) {
        double r = -1, g = -1, b = -1;
        HSVtoRGB(c.h, c.s, c.v, r, g, b);
        EXPECT_EQ(r, c.r) << c.h << " " << c.s << " " << c.v;
        EXPECT_EQ(g, c.g) << c.h << " " << c.s << " " << c.v;
        EXPECT_EQ(b, c.b) << c.h << " " << c.s << " " << c.v;
    }
    // p, q and t with a partial saturation: hue 30 is (V, t, p), 90 is (q, V, p).
    double r, g, b;
    HSVtoRGB(30, 0.5, 0.8, r, g, b);
    EXPECT_DOUBLE_EQ(r, 0.8);
    EXPECT_DOUBLE_EQ(g, 0.6);
    EXPECT_DOUBLE_EQ(b, 0.4);
    HSVtoRGB(90, 0.5, 0.8, r, g, b);
    EXPECT_DOUBLE_EQ(r, 0.6);
    EXPECT_DOUBLE_EQ(g, 0.8);
    EXPECT_DOUBLE_EQ(b, 0.4);
}

TEST(Anzeige_Chroma, NearPointCoversAFarOneWhateverTheirNumbers) {
    for (int effect : {kChroma, kGrau}) {
        for (int background : {0, 1}) {
            for (bool near_first : {true, false}) {
                RasterSurface image = Surface(8, 8);
                TestFrame frame;
                frame.RadioGroup1 = background;
                frame.RadioGroup2 = effect;
                PlaceAtDepth(frame, near_first ? 3 : 97, On8(4, 4), 50);
                PlaceAtDepth(frame, near_first ? 97 : 3, On8(4, 4), -50);
                Anzeige_Chroma(image, frame.Input());
                const Colour near = DepthColour(effect, background, 50);
                ASSERT_NE(near, DepthColour(effect, background, -50));
                EXPECT_EQ(PixelsOf(image, near), ThinCross(4, 4))
                    << effect << " " << background << " " << near_first;
            }
        }
    }
}

TEST(Anzeige_Chroma, DrawsEveryPointFarToNear) {
    // A row of 1-pixel crosses: the centre of point i is also the left arm of
    // point i + 1, so it shows whichever of the two is nearer; the top arm of
    // each is its own colour.
    for (int effect : {kChroma, kGrau}) {
        for (int background : {0, 1}) {
            RasterSurface image = Surface(320, 200);  // centre (160, 100), scale 1
            TestFrame frame;
            frame.RadioGroup1 = background;
            frame.RadioGroup2 = effect;
            double depth[kPointCount + 1];
            for (int i = 1; i <= kPointCount; ++i) {
                depth[i] = (i * 37) % 100 - 50;  // every depth -50..49 once, shuffled
                PlaceAtDepth(frame, i, {i - 50.0, 0, 0}, depth[i]);
            }
            Anzeige_Chroma(image, frame.Input());
            for (int i = 1; i < kPointCount; ++i) {
                const int x = 110 + i;
                const int nearer_x = depth[i] > depth[i + 1] ? x : x + 1;
                EXPECT_EQ(image.Pixel(x, 100), image.Pixel(nearer_x, 99))
                    << "points " << i << " and " << i + 1 << ", effect " << effect << " bg "
                    << background;
            }
        }
    }
}

TEST(Anzeige_Chroma, SkipsPointsAtOrBehindTheCamera) {
    struct Case {
        double z1, z2;
    };
    const Case cases[] = {{130, 0}, {0, 130}, {131, -10}, {-10, 140}, {130, 130}};
    for (int effect : {kChroma, kPulfrich, kGrau}) {
        for (const Case& c : cases) {
            RasterSurface image = Surface(8, 8);
            TestFrame frame;
            frame.RadioGroup2 = effect;
            frame.Place(1, {0, 0, c.z1}, {0, 0, c.z2});
            frame.Place(100, {40, 40, c.z1}, {40, 40, c.z2});
            Anzeige_Chroma(image, frame.Input());
            EXPECT_EQ(PixelsNot(image, kBlack), PixelSet{}) << effect << " " << c.z1 << " " << c.z2;
        }
    }
}

TEST(Anzeige_Chroma, SizesCrossesByTheAnaglyphBands) {
    struct Case {
        int size;
        double d;
        int width;
    };
    const Case cases[] = {{4, 60, 5},  {4, 61, 6},  {4, 0, 3},
                          {4, -60, 1}, {1, -70, 1}, {10, 30, 10}};
    for (const Case& c : cases) {
        RasterSurface image = Surface(40, 40);  // centre (20, 20)
        TestFrame frame;
        frame.RadioGroup2 = kGrau;
        frame.SpinEdit4 = c.size;
        frame.CheckBox3 = true;
        PlaceAtDepth(frame, 1, {0, 0, 0}, c.d);
        Anzeige_Chroma(image, frame.Input());
        EXPECT_EQ(image.PenWidth(), c.width) << c.size << " at " << c.d;
        if (c.width > 1) {
            EXPECT_NE(image.Pixel(20 + c.width, 20), kBlack) << c.size << " at " << c.d;
            EXPECT_EQ(image.Pixel(21 + c.width, 20), kBlack) << c.size << " at " << c.d;
        }
    }
    // Without depth sizing the size is used as typed: 0 draws nothing.
    RasterSurface image = Surface(8, 8);
    TestFrame frame;
    frame.RadioGroup2 = kChroma;
    frame.SpinEdit4 = 0;
    frame.Place(1, On8(4, 4));
    Anzeige_Chroma(image, frame.Input());
    EXPECT_EQ(PixelsNot(image, kBlack), PixelSet{});
}

TEST(Anzeige_Chroma, DrawsViewOneInCopyModeShiftedLikeTheFirstView) {
    RasterSurface image = Surface(8, 8, 0x445566);
    image.SetPenMode(RasterMode::Mask);  // left over from an anaglyph frame
    TestFrame frame;
    frame.RadioGroup1 = 1;
    frame.RadioGroup2 = kChroma;
    frame.SpinEdit9 = 1;
    frame.EyeOffset = 40;  // one more pixel left
    frame.Place(1, On8(5, 3), On8(1, 6));
    Anzeige_Chroma(image, frame.Input());
    EXPECT_EQ(image.PenMode(), RasterMode::Copy);
    EXPECT_EQ(PixelsOf(image, Rgb(0, 255, 32)), ThinCross(3, 3));
    EXPECT_EQ(PixelsOf(image, kWhite).size(), 64u - 3u);
}

TEST(Anzeige_Chroma, FaultsWhereACoordinateCannotBeRounded) {
    for (int effect : {kChroma, kPulfrich, kGrau}) {
        RasterSurface image = Surface(8, 8);
        TestFrame frame;
        frame.RadioGroup2 = effect;
        frame.Place(1, {1e300, 0, 0});
        EXPECT_THROW(Anzeige_Chroma(image, frame.Input()), FloatingPointFault) << effect;
    }
}

}  // namespace
}  // namespace kaleidra
