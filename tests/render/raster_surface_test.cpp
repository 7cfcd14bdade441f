#include "render/raster_surface.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "render_fixtures.h"

namespace kaleidra {
namespace {

using testing::PixelSet;
using testing::PixelsNot;
using testing::PixelsOf;
using testing::Surface;

constexpr Colour kWhite = 0xFFFFFF;

PixelSet Rect(int left, int top, int right, int bottom) {  // inclusive corners
    PixelSet s;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x)
            s.insert({x, y});
    }
    return s;
}

PixelSet Where(bool (*inside)(int x, int y)) {
    PixelSet s;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (inside(x, y)) s.insert({x, y});
        }
    }
    return s;
}

TEST(RasterFill, CoversLeftTopButNotRightBottom) {
    RasterSurface s = Surface(8, 8);
    s.SetBrushColour(kWhite);
    s.FillRect(2, 3, 5, 6);
    EXPECT_EQ(PixelsOf(s, kWhite), Rect(2, 3, 4, 5));
}

TEST(RasterFill, ClipsToTheSurface) {
    struct Case {
        int left, top, right, bottom;
        PixelSet expected;
    };
    const Case cases[] = {
        {-3, -2, 3, 2, Rect(0, 0, 2, 1)},
        {6, 5, 100, 100, Rect(6, 5, 7, 7)},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, Rect(0, 0, 7, 7)},
        {5, 5, 5, 8, {}},    // no width
        {5, 5, 2, 2, {}},    // inverted
        {8, 0, 12, 8, {}},   // right of the surface
        {-9, -9, 0, 0, {}},  // above and left of it
    };
    for (const Case& c : cases) {
        RasterSurface s = Surface(8, 8);
        s.SetBrushColour(kWhite);
        s.FillRect(c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(PixelsOf(s, kWhite), c.expected)
            << c.left << " " << c.top << " " << c.right << " " << c.bottom;
    }
}

TEST(RasterFill, ReplacesPixelsWhateverThePenMode) {
    for (RasterMode mode : {RasterMode::Copy, RasterMode::Merge, RasterMode::Mask}) {
        RasterSurface s = Surface(8, 8, 0x0F0F0F);
        s.SetPenMode(mode);
        s.SetBrushColour(0x30A050);
        s.FillRect(0, 0, 8, 8);
        EXPECT_EQ(PixelsOf(s, 0x30A050).size(), 64u) << static_cast<int>(mode);
    }
}

TEST(RasterModes, CombineThePenWithEachChannel) {
    constexpr Colour kBackground = 0x3C5A99;
    constexpr Colour kPen = 0x0FF0A5;
    struct Case {
        RasterMode mode;
        Colour expected;
    };
    const Case cases[] = {
        {RasterMode::Copy, 0x0FF0A5},
        {RasterMode::Merge, 0x3FFABD},
        {RasterMode::Mask, 0x0C5081},
    };
    for (const Case& c : cases) {
        for (int width : {1, 3}) {
            RasterSurface s = Surface(8, 8, kBackground);
            s.SetPenMode(c.mode);
            s.SetPenColour(kPen);
            s.SetPenWidth(width);
            // A cross: its centre is stroked twice.
            s.MoveTo(2, 4);
            s.LineTo(6, 4);
            s.MoveTo(4, 2);
            s.LineTo(4, 6);
            EXPECT_EQ(s.Pixel(4, 4), c.expected) << static_cast<int>(c.mode) << " w" << width;
            EXPECT_EQ(s.Pixel(2, 4), c.expected);
            EXPECT_EQ(s.Pixel(4, 2), c.expected);
            EXPECT_EQ(s.Pixel(0, 0), kBackground);
            EXPECT_EQ(s.Pixel(1, 4), kBackground);
        }
    }
}

struct StrokeCase {
    const char* name;
    int x0, y0, x1, y1;
    PixelSet expected;
};

void ExpectStrokes(int width, const StrokeCase* begin, const StrokeCase* end) {
    for (const StrokeCase* c = begin; c != end; ++c) {
        RasterSurface s = Surface(8, 8);
        s.SetPenColour(kWhite);
        s.SetPenWidth(width);
        s.MoveTo(c->x0, c->y0);
        s.LineTo(c->x1, c->y1);
        EXPECT_EQ(PixelsNot(s, 0x000000), c->expected) << c->name << " width " << width;
    }
}

TEST(RasterThinLine, LeavesOutItsEndPointInEveryDirection) {
    const StrokeCase cases[] = {
        {"right", 1, 2, 5, 2, Rect(1, 2, 4, 2)},
        {"left", 5, 2, 1, 2, Rect(2, 2, 5, 2)},
        {"down", 3, 1, 3, 6, Rect(3, 1, 3, 5)},
        {"up", 3, 6, 3, 1, Rect(3, 2, 3, 6)},
        {"zero length", 3, 3, 3, 3, {}},
        {"one step", 3, 3, 4, 3, {{3, 3}}},
        {"diagonal", 0, 0, 7, 7, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}},
        {"anti-diagonal", 7, 0, 0, 7, {{7, 0}, {6, 1}, {5, 2}, {4, 3}, {3, 4}, {2, 5}, {1, 6}}},
        {"shallow", 0, 0, 7, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 2}}},
        {"shallow back", 7, 2, 0, 0, {{7, 2}, {6, 2}, {5, 1}, {4, 1}, {3, 1}, {2, 1}, {1, 0}}},
        {"steep", 1, 0, 3, 7, {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}, {3, 6}}},
    };
    ExpectStrokes(1, std::begin(cases), std::end(cases));
    ExpectStrokes(0, std::begin(cases), std::end(cases));  // width 0 is the same pen
}

TEST(RasterThinLine, OnePixelCrossCoversThreePixels) {
    RasterSurface s = Surface(8, 8);
    s.SetPenColour(kWhite);
    s.MoveTo(3, 4);
    s.LineTo(5, 4);
    s.MoveTo(4, 3);
    s.LineTo(4, 5);
    EXPECT_EQ(PixelsNot(s, 0x000000), testing::ThinCross(4, 4));
}

TEST(RasterThinLine, ClipsWithoutWalkingOffSurfacePixels) {
    const StrokeCase cases[] = {
        {"starts left", -5, 3, 20, 3, Rect(0, 3, 7, 3)},
        {"int range", INT_MIN, 5, INT_MAX, 5, Rect(0, 5, 7, 5)},
        {"int range back", INT_MAX, 5, INT_MIN, 5, Rect(0, 5, 7, 5)},
        {"int range down", 3, INT_MIN, 3, INT_MAX, Rect(3, 0, 3, 7)},
        {"int diagonal",
         INT_MIN,
         INT_MIN,
         INT_MAX,
         INT_MAX,
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
        {"int anti-diagonal passes above", INT_MIN, INT_MAX, INT_MAX, INT_MIN, {}},
        {"both ends outside",
         -4,
         10,
         12,
         -6,
         {{0, 6}, {1, 5}, {2, 4}, {3, 3}, {4, 2}, {5, 1}, {6, 0}}},
        {"ends on the surface", -4, 10, 3, 3, {{0, 6}, {1, 5}, {2, 4}}},
        {"misses", -10, -10, -1, 20, {}},
        {"below", 0, 8, 7, 8, {}},
    };
    ExpectStrokes(1, std::begin(cases), std::end(cases));
}

TEST(RasterPen, NegativeWidthKeepsThePreviousOne) {
    RasterSurface s = Surface(8, 8);
    s.SetPenWidth(3);
    s.SetPenWidth(-2);
    EXPECT_EQ(s.PenWidth(), 3);
    s.SetPenWidth(0);
    EXPECT_EQ(s.PenWidth(), 0);

    s.SetPenWidth(3);
    s.SetPenWidth(-1);
    s.SetPenColour(kWhite);
    s.MoveTo(2, 4);
    s.LineTo(5, 4);
    EXPECT_EQ(PixelsNot(s, 0x000000), Rect(2, 3, 5, 5));
}

TEST(RasterWideLine, IsABandAsWideAsThePenKeepingBothEnds) {
    struct Case {
        int width;
        StrokeCase stroke;
    };
    const Case cases[] = {
        {2, {"flat", 2, 4, 5, 4, Rect(2, 3, 5, 4)}},
        {3, {"flat", 2, 4, 5, 4, Rect(2, 3, 5, 5)}},
        {3, {"flat back", 5, 4, 2, 4, Rect(2, 3, 5, 5)}},
        {4, {"flat", 2, 4, 5, 4, Rect(2, 2, 5, 5)}},
        {2, {"steep", 4, 1, 4, 6, Rect(3, 1, 4, 6)}},
        {5, {"steep up", 4, 6, 4, 1, Rect(2, 1, 6, 6)}},
        {3, {"clipped", -3, 0, 3, 0, Rect(0, 0, 3, 1)}},
        {3, {"int range", INT_MIN, 4, INT_MAX, 4, Rect(0, 3, 7, 5)}},
        {INT_MAX, {"widest", INT_MIN, 0, INT_MAX, 0, Rect(0, 0, 7, 7)}},
        {9, {"outside", 0, -6, 7, -6, {}}},
    };
    for (const Case& c : cases)
        ExpectStrokes(c.width, &c.stroke, &c.stroke + 1);
}

TEST(RasterWideLine, DiagonalBandCoversWhatLiesWithinHalfThePenWidth) {
    // Pixel centres within 1.5 of the diagonal: |x - y| <= 2 (2 / sqrt 2 < 1.5).
    const PixelSet band3 = Where([](int x, int y) { return std::abs(x - y) <= 2; });
    const StrokeCase cases[] = {
        {"corner to corner", 0, 0, 7, 7, band3},
        {"back", 7, 7, 0, 0, band3},
        {"ends outside", -3, -3, 10, 10, band3},
        {"int range", INT_MIN, INT_MIN, INT_MAX, INT_MAX, band3},
        {"short", 2, 2, 4, 4,
         Where([](int x, int y) { return std::abs(x - y) <= 2 && x + y >= 4 && x + y <= 8; })},
    };
    ExpectStrokes(3, std::begin(cases), std::end(cases));

    const StrokeCase anti[] = {
        {"anti-diagonal", 7, 0, 0, 7, Where([](int x, int y) { return std::abs(x + y - 7) <= 2; })},
        {"int anti-diagonal passes above", INT_MIN, INT_MAX, INT_MAX, INT_MIN,
         Where([](int x, int y) { return x + y <= 1; })},
    };
    ExpectStrokes(3, std::begin(anti), std::end(anti));
}

TEST(RasterLine, ContinuesFromWhereTheLastOneEnded) {
    RasterSurface s = Surface(8, 8);
    s.SetPenColour(kWhite);
    s.MoveTo(1, 1);
    s.LineTo(4, 1);
    s.LineTo(4, 4);
    EXPECT_EQ(PixelsNot(s, 0x000000), (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}}));
}

TEST(RasterLine, EmptySurfaceDrawsNothing) {
    RasterSurface s;
    s.SetPenWidth(5);
    s.MoveTo(-3, -3);
    s.LineTo(10, 7);
    s.SetPenWidth(1);
    s.LineTo(0, 0);
    EXPECT_EQ(s.Width(), 0);
}

}  // namespace
}  // namespace kaleidra
