#include "ui/drawing_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace kaleidra {

DrawingArea::DrawingArea(RasterSurface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the blit covers everything we own
    // Room for every changed rectangle of a frame on the largest screens, so
    // that collecting them never allocates.
    changed_.reserve(8192);
}

namespace {

// The whole pixels that cover left <= x < right, top <= y < bottom once
// multiplied by `factor`.
QRect CoveringRect(int left, int top, int right, int bottom, double factor) {
    const int l = static_cast<int>(std::floor(left * factor));
    const int t = static_cast<int>(std::floor(top * factor));
    return QRect(l, t, static_cast<int>(std::ceil(right * factor)) - l,
                 static_cast<int>(std::ceil(bottom * factor)) - t);
}

}  // namespace

double DrawingArea::RasterScale(double device_pixel_ratio) {
    if (device_pixel_ratio <= 0 || device_pixel_ratio == std::floor(device_pixel_ratio)) return 1.0;
    return device_pixel_ratio;
}

void DrawingArea::FitRaster(Colour exposed) {
    const double scale = RasterScale(devicePixelRatioF());
    const int w = static_cast<int>(std::ceil(width() * scale));
    const int h = static_cast<int>(std::ceil(height() * scale));
    if (scale == surface_.PixelScale()) {
        surface_.ResizeKeeping(w, h, exposed);
        return;
    }
    // A picture of another scale cannot be kept; the next frame draws anew.
    surface_.SetPixelScale(scale);
    surface_.Resize(w, h);
    surface_.SetBrushColour(exposed);
    surface_.FillRect(0, 0, w, h);
}

const std::vector<QRect>& DrawingArea::CollectChanged() {
    changed_.clear();
    const double scale = surface_.PixelScale();
    surface_.ForEachChangedRect([this, scale](const PixelRect& r) {
        if (scale == 1.0) {
            changed_.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
        } else {
            changed_.push_back(CoveringRect(r.left, r.top, r.right, r.bottom, 1.0 / scale));
        }
    });
    surface_.ForgetChanges();
    return changed_;
}

void DrawingArea::UpdateChanged() {
    Schedule(CollectChanged());
}

void DrawingArea::Schedule(const std::vector<QRect>& changed) {
    if (surface_.PixelScale() == 1.0) {
        // The surface hands out its changed runs in bands, sorted, disjoint and not
        // touching side by side: exactly the form setRects takes as it is.
        QRegion region;
        region.setRects(changed.data(), static_cast<int>(changed.size()));
        update(region);
    } else if (!changed.empty()) {
        // Runs in widget coordinates: bands may now share a row, so the
        // region is built rectangle by rectangle.
        QRegion region;
        for (const QRect& r : changed)
            region += r;
        update(region);
    }
}

namespace {

// The 32-bit formats whose words our opaque 0xFFRRGGBB pixels already are.
bool TakesOurWords(const QImage& image) {
    const QImage::Format format = image.format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

bool DrawingArea::CopyInto(QPaintDevice* device, QPoint shift, const QRegion& region) const {
    if (device == nullptr || device->devType() != QInternal::Image) return false;
    auto* target = static_cast<QImage*>(device);
    if (!TakesOurWords(*target) || target->devicePixelRatio() != 1.0) return false;
    // The rectangles to copy: ours, where the target has room for them.
    const int left_limit = std::max(0, -shift.x());
    const int top_limit = std::max(0, -shift.y());
    const int right_limit = std::min(surface_.Width(), target->width() - shift.x());
    const int bottom_limit = std::min(surface_.Height(), target->height() - shift.y());
    const auto* source = reinterpret_cast<const uchar*>(surface_.Bits());
    const qsizetype source_line = surface_.BytesPerLine();
    uchar* bits = target->bits();
    const qsizetype target_line = target->bytesPerLine();
    for (const QRect& r : region) {
        const int left = std::max(r.left(), left_limit);
        const int top = std::max(r.top(), top_limit);
        const int right = std::min(r.right() + 1, right_limit);
        const int bottom = std::min(r.bottom() + 1, bottom_limit);
        if (left >= right || top >= bottom) continue;
        const std::size_t bytes = static_cast<std::size_t>(right - left) * 4;
        const uchar* from = source + std::ptrdiff_t(top) * source_line + std::ptrdiff_t(left) * 4;
        uchar* to = bits + std::ptrdiff_t(top + shift.y()) * target_line +
                    std::ptrdiff_t(left + shift.x()) * 4;
        for (int y = top; y < bottom; ++y) {
            std::memcpy(to, from, bytes);
            from += source_line;
            to += target_line;
        }
    }
    return true;
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    if (surface_.Width() <= 0 || surface_.Height() <= 0) return;
    // Painting into an image (the window's own, as a rule): the rectangles
    // are copied straight in, without a painter's set-up per paint and per
    // rectangle. The toolkit has already limited the paint to the event's
    // region, and nothing else of the image is touched.
    if (sharedPainter() == nullptr) {
        QPoint offset;
        QPaintDevice* device = redirected(&offset);  // before -offset is read
        if (CopyInto(device, -offset, event->region())) return;
    }
    const auto* bits = reinterpret_cast<const uchar*>(surface_.Bits());
    if (view_.constBits() != bits || view_.width() != surface_.Width() ||
        view_.height() != surface_.Height()) {
        view_ = QImage(bits, surface_.Width(), surface_.Height(), surface_.BytesPerLine(),
                       QImage::Format_RGB32);
    }
    QPainter painter(this);
    // Crisp pixels on scaled screens: no smoothing.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The raster is opaque: a plain copy, no blending.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const double scale = surface_.PixelScale();
    if (scale != 1.0) {
        // The raster is in the screen's own pixels: each rectangle, widened
        // to whole raster pixels, lands on exactly those screen pixels.
        const QRect raster(0, 0, view_.width(), view_.height());
        for (const QRect& r : event->region()) {
            const QRect source =
                CoveringRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1, scale) & raster;
            if (source.isEmpty()) continue;
            const QRectF target(source.x() / scale, source.y() / scale, source.width() / scale,
                                source.height() / scale);
            painter.drawImage(target, view_, source);
        }
        return;
    }
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
