#include "render/raster_surface.h"

#include <algorithm>

namespace kaleidra {

std::uint32_t RasterSurface::ToPixel(Colour colour) {
    const std::uint32_t r = colour & 0xFFu;
    const std::uint32_t g = (colour >> 8) & 0xFFu;
    const std::uint32_t b = (colour >> 16) & 0xFFu;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

Colour RasterSurface::ToColour(std::uint32_t pixel) {
    const std::uint32_t r = (pixel >> 16) & 0xFFu;
    const std::uint32_t g = (pixel >> 8) & 0xFFu;
    const std::uint32_t b = pixel & 0xFFu;
    return r | (g << 8) | (b << 16);
}

void RasterSurface::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                   ToPixel(0x000000));
}

void RasterSurface::FillRect(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (left >= right || top >= bottom) return;
    const std::uint32_t pixel = ToPixel(brush_);
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
        std::fill(row + left, row + right, pixel);
    }
}

void RasterSurface::SetPenWidth(int width) {
    if (width < 0) return;
    pen_width_ = width;
}

void RasterSurface::MoveTo(int x, int y) {
    pen_x_ = x;
    pen_y_ = y;
}

void RasterSurface::LineTo(int x, int y) {
    // Strokes arrive with the drawing renderer.
    pen_x_ = x;
    pen_y_ = y;
}

Colour RasterSurface::Pixel(int x, int y) const {
    return ToColour(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void RasterSurface::Plot(int x, int y, std::uint32_t pen_pixel) {
    std::uint32_t& p = pixels_[static_cast<std::size_t>(y) * width_ + x];
    switch (pen_mode_) {
        case RasterMode::Copy: p = pen_pixel; break;
        case RasterMode::Merge: p |= pen_pixel; break;
        case RasterMode::Mask: p &= pen_pixel; break;
    }
}

}  // namespace kaleidra
