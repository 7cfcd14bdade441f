#include "render/anaglyph_renderer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "core/fp_checks.h"
#include "render/projection.h"
#include "render_fixtures.h"

namespace kaleidra {
namespace {

using testing::On8;
using testing::PixelSet;
using testing::PixelsNot;
using testing::PixelsOf;
using testing::Surface;
using testing::TestFrame;
using testing::ThinCross;

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kCyan = 0xFFFF00;

PixelSet Shifted(const PixelSet& s, int dx) {
    PixelSet out;
    for (const auto& p : s)
        out.insert({p.first + dx, p.second});
    return out;
}

TEST(ScreenFrame, FitsThe320By200AreaKeepingItsAspect) {
    struct Case {
        int w, h;
        int cx, cy;
        double s;
    };
    const Case cases[] = {
        {640, 480, 320, 240, 2.0}, {649, 496, 324, 248, 2.028125}, {320, 200, 160, 100, 1.0},
        {480, 640, 240, 320, 1.5}, {700, 200, 350, 100, 1.0},      {8, 8, 4, 4, 0.025},
        {0, 0, 0, 0, 0.0},         {1, 1, 0, 0, 1.0 / 320},
    };
    for (const Case& c : cases) {
        const ScreenFrame f = MakeScreenFrame(c.w, c.h);
        EXPECT_EQ(f.cx, c.cx) << c.w << "x" << c.h;
        EXPECT_EQ(f.cy, c.cy) << c.w << "x" << c.h;
        EXPECT_EQ(f.s, c.s) << c.w << "x" << c.h;
    }
}

TEST(Anzeige, ProjectsThroughTheScreenFrame) {
    // 649 x 496: (10, 5) lands at Round(324 + 20.28125), Round(248 + 10.140625).
    RasterSurface image = Surface(649, 496, 0x123456);
    TestFrame frame;
    frame.Place(1, {10, 5, 0}, {1e6, 5, 0});  // view 2 far off to the right
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsNot(image, kBlack), ThinCross(344, 258));
    EXPECT_EQ(PixelsOf(image, kRed), ThinCross(344, 258));
}

TEST(Anzeige, RoundsHalvesToEven) {
    struct Case {
        double x;
        int pixel;
    };
    // On 8 x 8, x / 40 + 4: 4.5, 5.5, 3.5, 2.5.
    const Case cases[] = {{20, 4}, {60, 6}, {-20, 4}, {-60, 2}, {59, 5}, {61, 6}};
    for (const Case& c : cases) {
        RasterSurface image = Surface(8, 8);
        TestFrame frame;
        frame.Place(1, {c.x, 0, 0}, {1e6, 0, 0});  // view 2 off the surface
        Anzeige(image, frame.Input());
        EXPECT_EQ(PixelsOf(image, kRed), ThinCross(c.pixel, 4)) << c.x;
    }
}

TEST(Anzeige, KeepsTheLow32BitsOfAFarCoordinate) {
    // 2^32 pixels to the right is pixel 4 again; 2^33 + 2 below is row 6.
    RasterSurface image = Surface(8, 8);
    TestFrame frame;
    frame.Place(1, {4294967296.0 * 40, 8589934594.0 * 40, 0}, {1e6, 0, 0});
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsOf(image, kRed), ThinCross(4, 6));
}

TEST(Anzeige, MixesTheColourPairsByTheBackground) {
    struct Case {
        int effect;
        Colour first, second;
    };
    const Case cases[] = {
        {0, 0x0000FF, 0xFFFF00},  {1, 0x0000FF, 0xFF0000}, {2, 0x0000FF, 0x00FF00},
        {3, 0xFF00FF, 0x00FF00},  {4, 0x00FF00, 0xFF0000}, {5, 0x00FFFF, 0xFF0000},
        {-1, 0x0000FF, 0xFFFF00}, {6, 0x0000FF, 0xFFFF00}, {9, 0x0000FF, 0xFFFF00},
    };
    for (const Case& c : cases) {
        for (int background : {0, 1}) {
            const bool black = background == 0;
            // View 1 at (4, 4), view 2 at (5, 4): their 1-pixel crosses share (4, 4).
            RasterSurface image = Surface(8, 8, 0x808080);
            TestFrame frame;
            frame.RadioGroup1 = background;
            frame.RadioGroup2 = c.effect;
            frame.Place(1, On8(4, 4), On8(5, 4));
            Anzeige(image, frame.Input());

            const Colour pass1 = black ? c.first : c.second;
            const Colour pass2 = black ? c.second : c.first;
            const Colour bare = black ? pass2 : (kWhite & pass2);
            const Colour both = black ? (pass1 | pass2) : (pass1 & pass2);
            const Colour bg = black ? kBlack : kWhite;
            SCOPED_TRACE(::testing::Message() << "effect " << c.effect << " bg " << background);
            EXPECT_EQ(image.Pixel(3, 4), pass1);
            EXPECT_EQ(image.Pixel(4, 3), pass1);
            EXPECT_EQ(image.Pixel(4, 4), both);
            EXPECT_EQ(image.Pixel(5, 4), bare);
            EXPECT_EQ(image.Pixel(5, 3), bare);
            EXPECT_EQ(PixelsOf(image, bg).size(), 64u - 5u);
            EXPECT_EQ(image.PenMode(), black ? RasterMode::Merge : RasterMode::Mask);
            EXPECT_EQ(image.PenColour(), pass2);
        }
    }
}

TEST(Anzeige, RedAndCyanOverlapWhiteOnBlackAndBlackOnWhite) {
    RasterSurface image = Surface(8, 8);
    TestFrame frame;
    frame.Place(1, On8(4, 4), On8(5, 4));
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsOf(image, kWhite), (PixelSet{{4, 4}}));
    EXPECT_EQ(PixelsOf(image, kRed), (PixelSet{{3, 4}, {4, 3}}));
    EXPECT_EQ(PixelsOf(image, kCyan), (PixelSet{{5, 4}, {5, 3}}));

    frame.RadioGroup1 = 1;
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsOf(image, kBlack), (PixelSet{{4, 4}}));
    EXPECT_EQ(PixelsOf(image, kCyan), (PixelSet{{3, 4}, {4, 3}}));
    EXPECT_EQ(PixelsOf(image, kRed), (PixelSet{{5, 4}, {5, 3}}));
}

TEST(PointSize, FollowsTheDepthBandsWithThresholdsInTheLowerBand) {
    struct Case {
        int size;
        double d;
        int expected;
    };
    const Case cases[] = {
        {4, 61, 6},  {4, 60, 5},  {4, 31, 5},      {4, 30, 4},       {4, 0.5, 4}, {4, 0, 3},
        {4, -29, 3}, {4, -30, 2}, {4, -59, 2},     {4, -60, 1},      {4, -70, 1}, {1, -70, 1},
        {0, 61, 2},  {-5, 61, 1}, {10, -1e300, 7}, {INT_MAX, 61, 1},  // wraps, then raised
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointSize(c.size, true, c.d), c.expected) << c.size << " at " << c.d;
    }
    for (int size : {-3, 0, 1, 4})
        EXPECT_EQ(PointSize(size, false, 100), size);
}

TEST(Anzeige, SizesEachCrossByItsDepth) {
    struct Case {
        double z1, z2;
        int size;
    };
    // d is the mean of the two depths; the pen keeps the width of the last cross.
    const Case cases[] = {{60, 60, 5},   {61, 61, 6},   {30, 30, 4},  {0, 0, 3},
                          {-30, -30, 2}, {-60, -60, 1}, {100, 20, 5}, {-40, -80, 1}};
    for (const Case& c : cases) {
        RasterSurface image = Surface(32, 32);
        TestFrame frame;
        frame.SpinEdit4 = 4;
        frame.CheckBox3 = true;
        frame.Place(1, {0, 0, c.z1}, {0, 0, c.z2});
        Anzeige(image, frame.Input());
        EXPECT_EQ(image.PenWidth(), c.size) << c.z1 << " " << c.z2;
        // The horizontal arm reaches x + n at the centre (16, 16), no further.
        if (c.size > 1) {
            EXPECT_NE(image.Pixel(16 + c.size, 16), kBlack);
            EXPECT_EQ(image.Pixel(17 + c.size, 16), kBlack);
        }
    }
}

TEST(Anzeige, SizeOneAtDepthMinus70IsRaisedToOnePixel) {
    RasterSurface image = Surface(8, 8);
    TestFrame frame;
    frame.CheckBox3 = true;
    frame.Place(1, {0, 0, -70});
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsOf(image, kWhite), ThinCross(4, 4));
}

TEST(Anzeige, SizeBelowOneWithoutDepthSizing) {
    // 0: both strokes have zero length.
    RasterSurface image = Surface(8, 8);
    TestFrame frame;
    frame.SpinEdit4 = 0;
    frame.Place(1, On8(4, 4));
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsNot(image, kBlack), PixelSet{});
    EXPECT_EQ(image.PenWidth(), 0);

    // -2: the pen keeps width 1, strokes run from (6, 4) to (2, 4) and from
    // (4, 6) to (4, 2), so they leave out the left and top ends.
    image.SetPenWidth(1);
    frame.SpinEdit4 = -2;
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsOf(image, kWhite),
              (PixelSet{{3, 4}, {4, 4}, {5, 4}, {6, 4}, {4, 3}, {4, 5}, {4, 6}}));
    EXPECT_EQ(image.PenWidth(), 1);

    // With a wide pen left over, the exchanged strokes are drawn that wide.
    image.SetPenWidth(3);
    Anzeige(image, frame.Input());
    EXPECT_EQ(image.PenWidth(), 3);
    EXPECT_EQ(PixelsNot(image, kBlack).size(), 15u + 15u - 9u);  // two 5 x 3 bands
}

TEST(Anzeige, DrawsPointsAtOrBehindTheCameraInNeitherPass) {
    struct Case {
        double z1, z2;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {{130, 0},   {0, 130},    {131, 0}, {0, 500},
                          {130, 130}, {1e300, -5}, {nan, 0}};
    for (const Case& c : cases) {
        RasterSurface image = Surface(8, 8);
        TestFrame frame;
        frame.Place(1, {0, 0, c.z1}, {0, 0, c.z2});
        frame.Place(2, {40, 0, c.z1}, {-40, 0, c.z2});
        Anzeige(image, frame.Input());
        EXPECT_EQ(PixelsNot(image, kBlack), PixelSet{}) << c.z1 << " " << c.z2;
    }
    // Just in front of the camera in both views is drawn.
    RasterSurface image = Surface(8, 8);
    TestFrame frame;
    frame.Place(1, {0, 0, 129.5});
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsOf(image, kWhite), ThinCross(4, 4));
}

TEST(Anzeige, PlaneAndEyeShiftsMoveTheViewsApart) {
    struct Case {
        int plane;
        double eye;
        int shift;  // view 1 moves left by it, view 2 right
    };
    const Case cases[] = {{1, 0, 1}, {2, 0, 2}, {-1, 0, -1}, {0, 40, 1}, {1, 40, 2}};
    TestFrame frame;
    frame.Place(1, On8(3, 3), On8(4, 6));
    RasterSurface base = Surface(8, 8);
    Anzeige(base, frame.Input());
    ASSERT_EQ(PixelsOf(base, kRed), ThinCross(3, 3));
    ASSERT_EQ(PixelsOf(base, kCyan), ThinCross(4, 6));
    for (const Case& c : cases) {
        RasterSurface image = Surface(8, 8);
        frame.SpinEdit9 = c.plane;
        frame.EyeOffset = c.eye;
        Anzeige(image, frame.Input());
        EXPECT_EQ(PixelsOf(image, kRed), Shifted(ThinCross(3, 3), -c.shift))
            << c.plane << " " << c.eye;
        EXPECT_EQ(PixelsOf(image, kCyan), Shifted(ThinCross(4, 6), c.shift))
            << c.plane << " " << c.eye;
    }
}

TEST(Anzeige, ClearsThePreviousFrame) {
    RasterSurface image = Surface(8, 8, 0x445566);
    image.SetPenMode(RasterMode::Mask);
    TestFrame frame;
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsOf(image, kBlack).size(), 64u);
    frame.RadioGroup1 = 1;
    Anzeige(image, frame.Input());
    EXPECT_EQ(PixelsOf(image, kWhite).size(), 64u);
}

TEST(Anzeige, FaultsWhereACoordinateCannotBeRounded) {
    struct Case {
        Point3D first, second;
        FaultKind kind;
    };
    const Case cases[] = {
        {{1e300, 0, 0}, {0, 0, 0}, FaultKind::InvalidOperation},
        {{0, -1e300, 0}, {0, 0, 0}, FaultKind::InvalidOperation},
        {{1e308, 0, 65}, {0, 0, 65}, FaultKind::Overflow},  // x * f with f = 2
        {{0, 0, 0}, {1e300, 0, 0}, FaultKind::InvalidOperation},
    };
    for (const Case& c : cases) {
        RasterSurface image = Surface(8, 8);
        TestFrame frame;
        frame.Place(1, On8(2, 2));  // drawn in both passes before the fault
        frame.Place(2, c.first, c.second);
        try {
            Anzeige(image, frame.Input());
            ADD_FAILURE() << "no fault for " << c.first.x << " " << c.second.x;
        } catch (const FloatingPointFault& fault) {
            EXPECT_EQ(fault.Kind(), c.kind);
        }
        EXPECT_NE(image.Pixel(2, 2), kBlack);  // what was drawn stays
    }
}

TEST(SetzePunkt, CrossNearTheIntLimitStaysOffTheSurface) {
    // Arms that wrapped round would run across the whole row or column.
    struct Case {
        std::int32_t x, y;
    };
    const Case cases[] = {{INT_MAX - 1, 4}, {INT_MIN + 1, 4}, {4, INT_MAX}, {4, INT_MIN}};
    for (const Case& c : cases) {
        for (int size : {1, 4, -4}) {
            RasterSurface image = Surface(8, 8);
            image.SetPenColour(kWhite);
            TestFrame frame;
            frame.SpinEdit4 = size;
            SetzePunkt(image, frame.Input(), c.x, c.y, 0.0);
            EXPECT_EQ(PixelsNot(image, kBlack), PixelSet{}) << c.x << " " << c.y << " " << size;
        }
    }
}

}  // namespace
}  // namespace kaleidra
