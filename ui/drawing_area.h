#pragma once

#include <QImage>
#include <QWidget>

#include "render/raster_surface.h"

namespace kaleidra {

// Image1: shows the scene's raster as it is, nothing more. The raster's words
// already have the layout of QImage::Format_RGB32, so a paint is one blit.
class DrawingArea : public QWidget {
    Q_OBJECT

public:
    DrawingArea(const RasterSurface& surface, QWidget* parent);

signals:
    void MouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const RasterSurface& surface_;
    // Wraps the raster's buffer without copying; rebuilt only when the
    // raster's buffer or size changes.
    QImage view_;
};

}  // namespace kaleidra
