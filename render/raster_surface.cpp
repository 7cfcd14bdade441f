#include "render/raster_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kaleidra {

namespace {

// Offset along the minor axis of the pixel at step i of a 1-pixel line whose
// extents are `major` >= `minor`: i * minor / major rounded to nearest, a half
// rounding away from the start. Exact in 64 bits, since int coordinates keep
// both extents below 2^32 and i < major.
std::uint64_t MinorOffset(std::uint64_t i, std::uint64_t minor, std::uint64_t major) {
    const std::uint64_t n = i * minor;
    const std::uint64_t r = n % major;
    return n / major + (2 * r >= major ? 1 : 0);
}

// Pixels within this distance of a band's edge count as inside, so that exact
// ties come out the same way whatever the rounding of the doubles.
constexpr double kEdgeSlack = 1e-7;

// The integers p with lo <= a * (p - origin) + c <= hi, as a closed range of
// doubles (empty when first > last). a must not be 0.
void SolveLinear(double a, double origin, double c, double lo, double hi, double& first,
                 double& last) {
    double u = origin + (lo - c) / a;
    double v = origin + (hi - c) / a;
    if (a < 0) std::swap(u, v);
    first = std::ceil(u);
    last = std::floor(v);
}

}  // namespace

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
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                   ToPixel(0x000000));
    SetSize(width, height);
    ResetTracking(ToPixel(0x000000));
}

void RasterSurface::ResizeKeeping(int width, int height, Colour exposed) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    std::vector<std::uint32_t> kept(static_cast<std::size_t>(width) * height, ToPixel(exposed));
    const int columns = std::min(width, width_);
    for (int y = 0; y < std::min(height, height_); ++y) {
        const auto from = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
        std::copy(from, from + columns, kept.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    pixels_.swap(kept);
    SetSize(width, height);
    // Which pixels still show the base colour is no longer known: the next
    // clear rewrites the whole surface.
    tracked_count_ = 0;
    tracked_area_ = 0;
    tracked_overflow_ = true;
    tracked_bounds_ = PixelRect{0, 0, width_, height_};
}

void RasterSurface::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
    change_columns_ = (width_ + kChangeColumn - 1) / kChangeColumn;
    change_bands_ = (height_ + kChangeBand - 1) / kChangeBand;
    change_words_ = (change_columns_ + 63) / 64;
    change_bits_.assign(static_cast<std::size_t>(change_words_) * change_bands_, 0);
    band_rows_.assign(static_cast<std::size_t>(change_bands_), Rows{});
    all_changed_ = true;
    any_changed_ = false;
}

void RasterSurface::FillRect(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (left >= right || top >= bottom) return;
    const PixelRect r{left, top, right, bottom};
    const std::uint32_t pixel = ToPixel(brush_);
    if (left == 0 && top == 0 && right == width_ && bottom == height_) {
        Fill(r, pixel);
        ResetTracking(pixel);
        all_changed_ = true;
        return;
    }
    Fill(r, pixel);
    if (pixel != base_pixel_) Track(r);
}

void RasterSurface::Clear() {
    const std::uint32_t pixel = ToPixel(brush_);
    if (pixel != base_pixel_) {
        FillRect(0, 0, width_, height_);
        return;
    }
    const std::int64_t bounds_area = std::int64_t{tracked_bounds_.right - tracked_bounds_.left} *
                                     (tracked_bounds_.bottom - tracked_bounds_.top);
    if (tracked_overflow_ || tracked_area_ > bounds_area) {
        if (!tracked_bounds_.Empty()) Fill(tracked_bounds_, pixel);
    } else {
        // The strokes to undo were drawn a frame ago and have mostly left the
        // cache since: ask for all their rows before writing any, so that
        // the misses overlap instead of coming one after the other.
        for (int i = 0; i < tracked_count_; ++i) {
            const PixelRect& r = tracked_[i];
            for (int y = r.top; y < r.bottom; ++y) {
                const std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
                __builtin_prefetch(row + r.left, 1);
                __builtin_prefetch(row + r.right - 1, 1);
            }
        }
        for (int i = 0; i < tracked_count_; ++i)
            Fill(tracked_[i], pixel);
    }
    ResetTracking(pixel);
}

void RasterSurface::Fill(const PixelRect& r, std::uint32_t pixel) {
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
        std::fill(row + r.left, row + r.right, pixel);
    }
    MarkChanged(r);
}

void RasterSurface::ResetTracking(std::uint32_t pixel) {
    base_pixel_ = pixel;
    tracked_count_ = 0;
    tracked_overflow_ = false;
    tracked_area_ = 0;
    tracked_bounds_ = PixelRect{};
}

void RasterSurface::Track(const PixelRect& r) {
    MarkChanged(r);
    if (tracked_bounds_.Empty()) {
        tracked_bounds_ = r;
    } else {
        tracked_bounds_.left = std::min(tracked_bounds_.left, r.left);
        tracked_bounds_.top = std::min(tracked_bounds_.top, r.top);
        tracked_bounds_.right = std::max(tracked_bounds_.right, r.right);
        tracked_bounds_.bottom = std::max(tracked_bounds_.bottom, r.bottom);
    }
    if (tracked_overflow_) return;
    // Past the list, or past one whole surface of rewriting, the bounding box
    // is the cheaper clear.
    const std::int64_t area = std::int64_t{r.right - r.left} * (r.bottom - r.top);
    if (tracked_count_ == kTrackedCapacity ||
        tracked_area_ + area > std::int64_t{width_} * height_) {
        tracked_overflow_ = true;
        return;
    }
    tracked_[tracked_count_++] = r;
    tracked_area_ += area;
}

void RasterSurface::MarkChanged(const PixelRect& r) {
    if (all_changed_) return;
    any_changed_ = true;
    const int first = r.left / kChangeColumn;
    const int last = (r.right - 1) / kChangeColumn;
    for (int band = r.top / kChangeBand; band <= (r.bottom - 1) / kChangeBand; ++band) {
        Rows& rows = band_rows_[band];
        const int top = std::max(r.top, band * kChangeBand);
        const int bottom = std::min(r.bottom, (band + 1) * kChangeBand);
        rows = rows.Empty() ? Rows{top, bottom}
                            : Rows{std::min(rows.top, top), std::max(rows.bottom, bottom)};
        std::uint64_t* words = change_bits_.data() + static_cast<std::size_t>(band) * change_words_;
        for (int t = first; t <= last;) {
            const int bit = t % 64;
            const int n = std::min(64 - bit, last - t + 1);
            words[t / 64] |= (n == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1) << bit;
            t += n;
        }
    }
}

namespace {

// The first column at or after `from` whose bit is `set` (in `bits` when set,
// else its complement), or `columns` when there is none.
int NextColumn(const std::uint64_t* words, int columns, int from, bool set) {
    for (int t = from; t < columns;) {
        const std::uint64_t word =
            (set ? words[t / 64] : ~words[t / 64]) & (~std::uint64_t{0} << (t % 64));
        if (word != 0) return std::min(t / 64 * 64 + __builtin_ctzll(word), columns);
        t = (t / 64 + 1) * 64;
    }
    return columns;
}

}  // namespace

bool RasterSurface::NextChangedRun(int band, int from, int& first, int& end) const {
    const std::uint64_t* words =
        change_bits_.data() + static_cast<std::size_t>(band) * change_words_;
    first = NextColumn(words, change_columns_, from, true);
    if (first >= change_columns_) return false;
    end = NextColumn(words, change_columns_, first, false);
    return true;
}

void RasterSurface::ForgetChanges() {
    // Only bands with something in them have bits to clear.
    for (int band = 0; band < change_bands_; ++band) {
        if (band_rows_[band].Empty()) continue;
        band_rows_[band] = Rows{};
        const auto words = change_bits_.begin() + static_cast<std::ptrdiff_t>(band) * change_words_;
        std::fill(words, words + change_words_, 0);
    }
    all_changed_ = false;
    any_changed_ = false;
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
    const int x0 = pen_x_;
    const int y0 = pen_y_;
    pen_x_ = x;
    pen_y_ = y;
    if (width_ == 0 || height_ == 0 || (x0 == x && y0 == y)) return;
    const std::uint32_t pen_pixel = ToPixel(pen_colour_);
    if (pen_width_ <= 1) {
        ThinLine(x0, y0, x, y, pen_pixel);
    } else if (x0 == x || y0 == y) {
        AxisBand(x0, y0, x, y, pen_pixel);
    } else {
        SlantedBand(x0, y0, x, y, pen_pixel);
    }
}

// Bresenham's line, written as the closed form of its minor offset so that the
// part on the surface can be found without walking the part off it.
void RasterSurface::ThinLine(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel) {
    const std::int64_t dx = std::int64_t{x1} - x0;
    const std::int64_t dy = std::int64_t{y1} - y0;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major_start = x_major ? x0 : y0;
    const std::int64_t minor_start = x_major ? y0 : x0;
    const std::int64_t major_delta = x_major ? dx : dy;
    const std::int64_t minor_delta = x_major ? dy : dx;
    const std::int64_t major_size = x_major ? width_ : height_;
    const std::int64_t minor_size = x_major ? height_ : width_;
    const int major_step = major_delta < 0 ? -1 : 1;
    const int minor_step = minor_delta < 0 ? -1 : 1;
    const auto major = static_cast<std::uint64_t>(std::llabs(major_delta));
    const auto minor = static_cast<std::uint64_t>(std::llabs(minor_delta));

    // Steps 0 .. major - 1: the end point is left out. Keep the steps whose
    // major coordinate lies on the surface.
    std::int64_t first = 0;
    std::int64_t last = static_cast<std::int64_t>(major) - 1;
    if (major_step > 0) {
        first = std::max(first, -major_start);
        last = std::min(last, major_size - 1 - major_start);
    } else {
        first = std::max(first, major_start - (major_size - 1));
        last = std::min(last, major_start);
    }
    if (first > last) return;

    // The minor offset grows with the step; keep the steps whose minor
    // coordinate lies on the surface too, found by bisection.
    std::int64_t offset_lo = minor_step > 0 ? -minor_start : minor_start - (minor_size - 1);
    const std::int64_t offset_hi = minor_step > 0 ? minor_size - 1 - minor_start : minor_start;
    if (offset_hi < 0) return;
    offset_lo = std::max<std::int64_t>(offset_lo, 0);
    auto offset = [&](std::int64_t i) {
        return static_cast<std::int64_t>(MinorOffset(static_cast<std::uint64_t>(i), minor, major));
    };
    if (offset(last) < offset_lo || offset(first) > offset_hi) return;
    std::int64_t lo = first;
    std::int64_t hi = last;
    while (lo < hi) {  // the first step with offset >= offset_lo
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (offset(mid) >= offset_lo) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    first = lo;
    hi = last;
    while (lo < hi) {  // the last step with offset <= offset_hi
        const std::int64_t mid = hi - (hi - lo) / 2;
        if (offset(mid) <= offset_hi) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    last = hi;

    {
        const auto m0 = static_cast<int>(major_start + major_step * first);
        const auto m1 = static_cast<int>(major_start + major_step * last);
        const auto n0 = static_cast<int>(minor_start + minor_step * offset(first));
        const auto n1 = static_cast<int>(minor_start + minor_step * offset(last));
        const PixelRect along{std::min(m0, m1), std::min(n0, n1), std::max(m0, m1) + 1,
                              std::max(n0, n1) + 1};
        Track(x_major ? along : PixelRect{along.top, along.left, along.bottom, along.right});
    }
    for (std::int64_t i = first; i <= last; ++i) {
        const auto m = static_cast<int>(major_start + major_step * i);
        const auto n = static_cast<int>(minor_start + minor_step * offset(i));
        if (x_major) {
            Plot(m, n, pen_pixel);
        } else {
            Plot(n, m, pen_pixel);
        }
    }
}

// A horizontal or vertical stroke wider than a pixel: a rectangle.
void RasterSurface::AxisBand(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel) {
    const std::int64_t across_lo = -(pen_width_ / 2);
    const std::int64_t across_hi = across_lo + pen_width_ - 1;
    std::int64_t left = std::min(x0, x1);
    std::int64_t right = std::max(x0, x1);
    std::int64_t top = std::min(y0, y1);
    std::int64_t bottom = std::max(y0, y1);
    if (y0 == y1) {
        top += across_lo;
        bottom += across_hi;
    } else {
        left += across_lo;
        right += across_hi;
    }
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min<std::int64_t>(right, width_ - 1);
    bottom = std::min<std::int64_t>(bottom, height_ - 1);
    if (left > right || top > bottom) return;
    Track(PixelRect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right) + 1,
                    static_cast<int>(bottom) + 1});
    for (auto y = static_cast<int>(top); y <= bottom; ++y)
        Span(y, static_cast<int>(left), static_cast<int>(right), pen_pixel);
}

// Any other wide stroke: the pixels whose centres lie in the band, row by row.
void RasterSurface::SlantedBand(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel) {
    const double ax = x0;
    const double ay = y0;
    const double dx = static_cast<double>(std::int64_t{x1} - x0);
    const double dy = static_cast<double>(std::int64_t{y1} - y0);
    const double length = std::hypot(dx, dy);
    const double ux = dx / length;
    const double uy = dy / length;
    // The normal points down for flat strokes and right for steep ones, so an
    // even width leans the same way as in AxisBand.
    double nx = -uy;
    double ny = ux;
    if (std::fabs(dx) >= std::fabs(dy) ? ny < 0 : nx < 0) {
        nx = -nx;
        ny = -ny;
    }
    const double half = pen_width_ / 2.0;

    // Offsets are taken from the point of the segment nearest the surface's
    // centre: they stay small, so the doubles keep their precision even when
    // the ends lie near the limits of int.
    const double along_ref =
        std::clamp((0.5 * (width_ - 1) - ax) * ux + (0.5 * (height_ - 1) - ay) * uy, 0.0, length);
    const double rx = ax + along_ref * ux;
    const double ry = ay + along_ref * uy;

    const double reach = half * std::fabs(ny) + 1.0;
    const double row_lo = std::max(std::ceil(std::min<double>(y0, y1) - reach), 0.0);
    const double row_hi = std::min(std::floor(std::max<double>(y0, y1) + reach), height_ - 1.0);
    PixelRect written{width_, height_, 0, 0};
    // Both bounds lie within the surface's rows (or cross over): int is exact.
    const int first_row = static_cast<int>(row_lo);
    const int last_row = static_cast<int>(row_hi);
    for (int y = first_row; y <= last_row; ++y) {
        const double oy = y - ry;
        double across_first, across_last, along_first, along_last;
        SolveLinear(nx, rx, oy * ny, -half - kEdgeSlack, half - kEdgeSlack, across_first,
                    across_last);
        SolveLinear(ux, rx, along_ref + oy * uy, -kEdgeSlack, length + kEdgeSlack, along_first,
                    along_last);
        const double first = std::max({across_first, along_first, 0.0});
        const double last = std::min({across_last, along_last, width_ - 1.0});
        if (first > last) continue;
        written.left = std::min(written.left, static_cast<int>(first));
        written.right = std::max(written.right, static_cast<int>(last) + 1);
        written.top = std::min(written.top, y);
        written.bottom = std::max(written.bottom, y + 1);
        Span(y, static_cast<int>(first), static_cast<int>(last), pen_pixel);
    }
    if (!written.Empty()) Track(written);
}

Colour RasterSurface::Pixel(int x, int y) const {
    return ToColour(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

// The mode is chosen once per row, so that each loop is a plain one.
void RasterSurface::Span(int y, int first, int last, std::uint32_t pen_pixel) {
    std::uint32_t* p = pixels_.data() + static_cast<std::size_t>(y) * width_ + first;
    const int n = last - first + 1;
    switch (pen_mode_) {
        case RasterMode::Copy:
            std::fill_n(p, n, pen_pixel);
            break;
        case RasterMode::Merge:
            for (int i = 0; i < n; ++i)
                p[i] |= pen_pixel;
            break;
        case RasterMode::Mask:
            for (int i = 0; i < n; ++i)
                p[i] &= pen_pixel;
            break;
    }
}

void RasterSurface::Plot(int x, int y, std::uint32_t pen_pixel) {
    std::uint32_t& p = pixels_[static_cast<std::size_t>(y) * width_ + x];
    switch (pen_mode_) {
        case RasterMode::Copy:
            p = pen_pixel;
            break;
        case RasterMode::Merge:
            p |= pen_pixel;
            break;
        case RasterMode::Mask:
            p &= pen_pixel;
            break;
    }
}

}  // namespace kaleidra
