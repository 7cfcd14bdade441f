#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include "render/raster_surface.h"
#include "ui/drawing_area.h"
#include "window_image.h"

namespace kaleidra {
namespace {

constexpr QRgb kPanelColour = qRgb(0x12, 0x34, 0x56);

// Image1 placed away from the window's corner, so that a copy into the
// window's image has to move every pixel by the area's position.
class DrawingAreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(kPanelColour));
        window.setPalette(palette);
        window.resize(300, 200);
        area.setGeometry(13, 7, 120, 90);
        raster.Resize(120, 90);
        raster.SetBrushColour(0x000000);
        raster.FillRect(0, 0, 120, 90);
        window.show();
        QApplication::processEvents();
    }

    // What the window shows: its own image.
    QImage Shown() {
        QApplication::processEvents();
        return WindowImage(window);
    }

    // Every pixel of the raster appears at `at` in `image`, where it fits.
    static void ExpectRasterAt(const RasterSurface& raster, const QImage& image, QPoint at) {
        int checked = 0;
        for (int y = 0; y < raster.Height(); ++y) {
            for (int x = 0; x < raster.Width(); ++x) {
                const QPoint p(x + at.x(), y + at.y());
                if (!image.rect().contains(p)) continue;
                ASSERT_EQ(image.pixel(p), RasterSurface::ToPixel(raster.Pixel(x, y)))
                    << "raster (" << x << ", " << y << ")";
                ++checked;
            }
        }
        EXPECT_GT(checked, 0);
    }

    void DrawSomething(Colour colour, int x, int y) {
        raster.SetPenColour(colour);
        raster.SetPenWidth(3);
        raster.MoveTo(x - 6, y);
        raster.LineTo(x + 6, y);
        raster.MoveTo(x, y - 6);
        raster.LineTo(x, y + 6);
    }

    QWidget window;
    RasterSurface raster;
    DrawingArea area{raster, &window};
};

TEST_F(DrawingAreaTest, TheWindowShowsTheRasterAtTheAreasPlaceFrameAfterFrame) {
    DrawSomething(0x0000FF, 20, 15);
    DrawSomething(0xFFFF00, 100, 80);
    area.UpdateChanged();
    QImage shown = Shown();
    ExpectRasterAt(raster, shown, {13, 7});
    // Nothing beside the area is written: the panel keeps its colour all round.
    for (int x = 12; x <= 133; ++x) {
        EXPECT_EQ(shown.pixel(x, 6), kPanelColour) << x;
        EXPECT_EQ(shown.pixel(x, 97), kPanelColour) << x;
    }
    for (int y = 6; y <= 97; ++y) {
        EXPECT_EQ(shown.pixel(12, y), kPanelColour) << y;
        EXPECT_EQ(shown.pixel(133, y), kPanelColour) << y;
    }

    // The next frame: the old crosses go, new ones come, only where they were are
    // repainted, and the window again matches pixel for pixel.
    raster.Clear();
    DrawSomething(0xFFFFFF, 60, 45);
    DrawSomething(0x00FF00, 119, 0);
    area.UpdateChanged();
    shown = Shown();
    ExpectRasterAt(raster, shown, {13, 7});
    EXPECT_EQ(shown.pixel(13 + 20, 7 + 15), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(13 + 60, 7 + 45), qRgb(255, 255, 255));

    // A whole-area fill repaints the whole area.
    raster.SetBrushColour(0xFFFFFF);
    raster.FillRect(0, 0, 120, 90);
    area.UpdateChanged();
    ExpectRasterAt(raster, Shown(), {13, 7});
}

TEST_F(DrawingAreaTest, AGrabPaintsTheSamePixelsAsTheWindowShows) {
    DrawSomething(0x0000FF, 30, 30);
    DrawSomething(0xFF00FF, 90, 60);
    area.UpdateChanged();
    const QImage grabbed = area.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(grabbed.size(), QSize(120, 90));
    ExpectRasterAt(raster, grabbed, {0, 0});
    ExpectRasterAt(raster, Shown(), {13, 7});
}

TEST_F(DrawingAreaTest, AnAreaReachingPastTheWindowIsCopiedUpToTheWindowsEdge) {
    area.setGeometry(250, 150, 120, 90);  // 50 x 50 of it inside the window
    QApplication::processEvents();
    DrawSomething(0xFFFF00, 10, 10);
    DrawSomething(0x0000FF, 49, 49);
    DrawSomething(0xFFFFFF, 100, 80);  // wholly outside the window
    area.UpdateChanged();
    const QImage shown = Shown();
    ASSERT_EQ(shown.size(), QSize(300, 200));
    ExpectRasterAt(raster, shown, {250, 150});
}

TEST_F(DrawingAreaTest, AnEmptyRasterPaintsNothingAndDoesNotFail) {
    raster.Resize(0, 0);
    area.UpdateChanged();
    const QImage shown = Shown();
    EXPECT_EQ(shown.pixel(5, 5), kPanelColour);
    raster.Resize(120, 90);
    area.UpdateChanged();
    ExpectRasterAt(raster, Shown(), {13, 7});
}

}  // namespace
}  // namespace kaleidra
