#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <vector>

#include "render/raster_surface.h"

class QPaintDevice;
class QRegion;

namespace kaleidra {

// Image1: shows the scene's raster as it is, nothing more. The raster's words
// already have the layout of QImage::Format_RGB32, so a paint is one blit.
class DrawingArea : public QWidget {
    Q_OBJECT

public:
    DrawingArea(RasterSurface& surface, QWidget* parent);

    // Schedules a repaint of what the raster changed since the last call (the
    // whole area after a resize or a whole-area fill) and starts a new record.
    void UpdateChanged();
    // Its two halves. The program's own: the changed rectangles in widget
    // coordinates, into storage that keeps its capacity; the record starts
    // anew. The toolkit's: the repaint of those rectangles.
    const std::vector<QRect>& CollectChanged();
    void Schedule(const std::vector<QRect>& changed);
    // Sizes the raster to the area, in the screen's own pixels where the
    // screen's scale is fractional. The picture stays where the old and the
    // new size overlap; newly exposed pixels take the colour `exposed`.
    void FitRaster(Colour exposed);
    // The raster's pixel scale for a screen of this device pixel ratio: the
    // ratio itself when fractional, else 1 (a whole ratio scales the picture
    // by whole pixels, which keeps it crisp as it is).
    static double RasterScale(double device_pixel_ratio);

signals:
    void MouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Copies the region (widget coordinates) of the raster into a 32-bit
    // image at widget point + shift. False, with nothing copied, for any other
    // device, which then gets the painter.
    bool CopyInto(QPaintDevice* device, QPoint shift, const QRegion& region) const;

    RasterSurface& surface_;
    // Wraps the raster's buffer without copying; rebuilt only when the
    // raster's buffer or size changes.
    QImage view_;
    // The changed rectangles of one update, kept so that its capacity stays.
    std::vector<QRect> changed_;
};

}  // namespace kaleidra
