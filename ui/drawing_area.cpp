#include "ui/drawing_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace kaleidra {

DrawingArea::DrawingArea(RasterSurface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the blit covers everything we own
}

void DrawingArea::UpdateChanged() {
    if (surface_.AllChanged()) {
        update();
    } else if (surface_.Changed()) {
        changed_.clear();
        surface_.ForEachChangedRect([this](const PixelRect& r) {
            changed_.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
        });
        // The surface hands out its tiles in bands, sorted, disjoint and not
        // touching side by side: exactly the form setRects takes as it is.
        QRegion region;
        region.setRects(changed_.data(), static_cast<int>(changed_.size()));
        update(region);
    }
    surface_.ForgetChanges();
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    const auto* bits = reinterpret_cast<const uchar*>(surface_.Bits());
    if (view_.constBits() != bits || view_.width() != surface_.Width() ||
        view_.height() != surface_.Height()) {
        view_ = surface_.Width() > 0 && surface_.Height() > 0
                    ? QImage(bits, surface_.Width(), surface_.Height(), surface_.BytesPerLine(),
                             QImage::Format_RGB32)
                    : QImage();
    }
    if (view_.isNull()) return;
    QPainter painter(this);
    // Crisp pixels on scaled screens: no smoothing.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The raster is opaque: a plain copy, no blending.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Rectangle by rectangle: one blit of the bounding box would run the
    // whole box through the clip, and Qt hands such long span lists to its
    // thread pool, which costs more than the copy.
    const QRect area(0, 0, view_.width(), view_.height());
    for (const QRect& r : event->region()) {
        const QRect dirty = r & area;
        if (!dirty.isEmpty()) painter.drawImage(dirty.topLeft(), view_, dirty);
    }
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit MouseDown();
}

}  // namespace kaleidra
