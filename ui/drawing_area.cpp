#include "ui/drawing_area.h"

#include <QMouseEvent>
#include <QPainter>

namespace kaleidra {

DrawingArea::DrawingArea(const RasterSurface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the blit covers everything we own
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
    const QRect dirty = event->rect() & QRect(0, 0, view_.width(), view_.height());
    painter.drawImage(dirty.topLeft(), view_, dirty);
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit MouseDown();
}

}  // namespace kaleidra
