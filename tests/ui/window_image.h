#pragma once

#include <QBackingStore>
#include <QImage>
#include <QWidget>

namespace kaleidra {

// The image a top-level widget's window shows, read straight from its backing
// store (an image on the raster platforms, offscreen among them), as RGB32.
// Unlike grab(), which paints the widget afresh, this is what the window's
// own paints left behind. Null when the window has no such image.
inline QImage WindowImage(QWidget& window) {
    QBackingStore* store = window.backingStore();
    if (store == nullptr || store->paintDevice() == nullptr ||
        store->paintDevice()->devType() != QInternal::Image)
        return QImage();
    return static_cast<const QImage*>(store->paintDevice())->convertToFormat(QImage::Format_RGB32);
}

}  // namespace kaleidra
