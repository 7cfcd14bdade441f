#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QSet>
#include <cmath>
#include <vector>

#include "ui/main_window.h"
#include "window_image.h"

namespace kaleidra {
namespace {

// The real window, offscreen, with the animation stopped and the cloud held
// where the test puts it (morph speed 0 and ShapeSet equal to MorphSet).
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        form.showNormal();
        form.resize(900, 640);
        QApplication::processEvents();
        form.scene().StartButtonClick();
        form.scene().Modell_Ausgabe();  // the first frame's camera reset
        form.SpinEdit5->SetValue(0);
        form.SpinEdit1->SetValue(0);
        form.scene().AngleX = form.scene().AngleY = form.scene().AngleZ = 0;
    }

    void HoldCloud(const PointSet& cloud) {
        form.scene().ShapeSet = cloud;
        form.scene().MorphSet = cloud;
    }

    QImage Picture() {
        QApplication::processEvents();
        return form.Image1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The window's own image shows the same picture wherever the panels,
    // which lie over Image1, leave it free.
    void ExpectWindowShows(const QImage& picture) {
        const QImage shown = WindowImage(form);
        ASSERT_FALSE(shown.isNull());
        QRegion free(form.Image1->geometry());
        for (QWidget* child :
             form.Image1->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child != form.Image1 && child->isVisible()) free -= child->geometry();
        }
        int compared = 0;
        for (const QRect& r : free) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    ASSERT_EQ(shown.pixel(x, y), picture.pixel(QPoint(x, y) - form.Image1->pos()))
                        << x << ", " << y;
                    ++compared;
                }
            }
        }
        EXPECT_GT(compared, picture.width() * picture.height() / 2);
    }

    TForm1 form;
};

// Visits each connected area of exactly one colour (4-neighbourhood) with
// its pixels.
template <typename Visit>
void ForEachBlob(const QImage& image, QRgb colour, Visit&& visit) {
    std::vector<char> seen(static_cast<std::size_t>(image.width() * image.height()), 0);
    std::vector<QPoint> stack;
    std::vector<QPoint> blob;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (seen[y * image.width() + x] || image.pixel(x, y) != colour) continue;
            blob.clear();
            stack.push_back({x, y});
            seen[y * image.width() + x] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                blob.push_back(p);
                const QPoint next[] = {
                    {p.x() + 1, p.y()}, {p.x() - 1, p.y()}, {p.x(), p.y() + 1}, {p.x(), p.y() - 1}};
                for (const QPoint& n : next) {
                    if (n.x() < 0 || n.y() < 0 || n.x() >= image.width() || n.y() >= image.height())
                        continue;
                    char& mark = seen[n.y() * image.width() + n.x()];
                    if (mark || image.pixel(n) != colour) continue;
                    mark = 1;
                    stack.push_back(n);
                }
            }
            visit(blob);
        }
    }
}

int CountBlobs(const QImage& image, QRgb colour) {
    int blobs = 0;
    ForEachBlob(image, colour, [&](const std::vector<QPoint>&) { ++blobs; });
    return blobs;
}

// A cross whose two arms have one width and one length is its own mirror
// image across the diagonal of its bounding square.
bool EqualArms(const std::vector<QPoint>& blob) {
    QRect box;
    for (const QPoint& p : blob)
        box |= QRect(p, QSize(1, 1));
    if (box.width() != box.height()) return false;
    QSet<std::pair<int, int>> pixels;
    for (const QPoint& p : blob)
        pixels.insert({p.x() - box.x(), p.y() - box.y()});
    for (const auto& [x, y] : pixels) {
        if (!pixels.contains({y, x})) return false;
    }
    return true;
}

TEST_F(EndToEnd, RedAndCyanCrossesForEveryVisiblePointOnBlack) {
    PointSet grid;
    for (int k = 1; k <= kPointCount; ++k) {
        grid[k] = {-45.0 + 10 * ((k - 1) % 10), -45.0 + 10 * ((k - 1) / 10), 0.0};
    }
    grid[100] = {0, 0, 500};  // behind the camera at distance 130: drawn in neither view
    HoldCloud(grid);
    form.SpinEdit9->SetValue(5);  // view 1 five pixels left, view 2 five pixels right
    form.SpinEdit3->SetValue(3);  // its handler runs the frame

    const QImage picture = Picture();
    ASSERT_EQ(picture.size(), form.Image1->size());
    EXPECT_EQ(CountBlobs(picture, qRgb(255, 0, 0)), 99);
    EXPECT_EQ(CountBlobs(picture, qRgb(0, 255, 255)), 99);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
    ExpectWindowShows(picture);

    // Without the plane shift both views coincide at depth 0: white crosses.
    form.SpinEdit9->SetValue(0);
    form.SpinEdit3->SetValue(4);
    const QImage merged = Picture();
    EXPECT_EQ(CountBlobs(merged, qRgb(255, 0, 0)), 0);
    EXPECT_EQ(CountBlobs(merged, qRgb(255, 255, 255)), 99);
    ExpectWindowShows(merged);
}

TEST_F(EndToEnd, ChromaColoursTheCloudByDepth) {
    PointSet cloud;
    const double depths[] = {60, 0, -60};
    for (int k = 1; k <= kPointCount; ++k) {
        const int band = (k - 1) % 3;
        cloud[k] = {-40.0 + 40 * band, 0.0, depths[band]};
    }
    HoldCloud(cloud);
    form.RadioGroup2->SetItemIndex(6);  // "Chroma", and its frame

    const QImage picture = Picture();
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    }
    EXPECT_EQ(colours,
              (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 32), qRgb(64, 0, 255)}))
        << "near red, middle green, far violet-blue on black";

    form.RadioGroup1->SetItemIndex(1);  // white: the ramp runs the other way
    const QImage white = Picture();
    EXPECT_EQ(CountBlobs(white, qRgb(64, 0, 255)), 1);
    EXPECT_EQ(CountBlobs(white, qRgb(255, 0, 0)), 1);
    EXPECT_EQ(white.pixel(0, 0), qRgb(255, 255, 255));
    ExpectWindowShows(white);
}

// Run at the screen's own scale and, from CTest, at 150 %: the window shows
// the raster's pixels one for one, and every cross keeps equal arms.
TEST_F(EndToEnd, EveryCrossKeepsEqualArmsOnTheScreensOwnPixels) {
    PointSet grid;
    for (int k = 1; k <= kPointCount; ++k) {
        grid[k] = {-45.0 + 10 * ((k - 1) % 10), -45.0 + 10 * ((k - 1) / 10), 0.0};
    }
    HoldCloud(grid);
    form.SpinEdit9->SetValue(5);
    form.SpinEdit3->SetValue(3);  // its handler runs the frame
    QApplication::processEvents();

    const double ratio = form.devicePixelRatioF();
    const RasterSurface& raster = form.scene().Image1;
    const double scale = DrawingArea::RasterScale(ratio);
    EXPECT_EQ(raster.Width(), static_cast<int>(std::ceil(form.Image1->width() * scale)));
    EXPECT_EQ(raster.PixelScale(), scale);

    // Right of the panels, where the whole cloud lies.
    const QImage shown = WindowImage(form);
    ASSERT_FALSE(shown.isNull());
    const int left = static_cast<int>(std::ceil(230 * ratio));
    const QImage part = shown.copy(left, 0, raster.Width() - left, raster.Height());
    int crosses = 0;
    int equal = 0;
    ForEachBlob(part, qRgb(255, 0, 0), [&](const std::vector<QPoint>& blob) {
        ++crosses;
        if (EqualArms(blob)) ++equal;
    });
    EXPECT_EQ(crosses, 100);
    EXPECT_EQ(equal, crosses) << "at a device pixel ratio of " << ratio;
    if (scale != ratio) return;  // whole ratios scale the raster by whole pixels
    for (int y = 0; y < part.height(); ++y) {
        for (int x = 0; x < part.width(); ++x) {
            ASSERT_EQ(part.pixel(x, y), RasterSurface::ToPixel(raster.Pixel(x + left, y)))
                << x + left << ", " << y;
        }
    }
}

}  // namespace
}  // namespace kaleidra
