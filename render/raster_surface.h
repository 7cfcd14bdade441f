#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kaleidra {

// A 24-bit colour written 0xBBGGRR: red in the low byte (red 0x0000FF,
// cyan 0xFFFF00), as the renderers' tables give them.
using Colour = std::uint32_t;

// A rectangle of pixels: left <= x < right, top <= y < bottom.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return left >= right || top >= bottom; }
};

enum class RasterMode {
    Copy,   // pixel := pen colour
    Merge,  // pixel := pixel OR pen colour
    Mask,   // pixel := pixel AND pen colour
};

// The persistent raster behind the drawing area. Pixels are 32-bit words
// 0xFFRRGGBB (the layout of QImage::Format_RGB32, alpha byte always full), so
// the window can show the buffer as it is. Contents persist between frames
// and across a resize to the same size.
//
// A frame changes a few thousand pixels of a surface that may hold millions,
// so the surface keeps two records of its writes. One lists what strokes and
// odd-coloured fills wrote since the whole surface was last one colour, so
// that Clear() can restore that colour by rewriting only those pixels. The
// other marks everything written since the window last showed the surface,
// so that the window repaints only that: in bands of rows, each with the rows
// it was written in, and within a band in narrow columns.
class RasterSurface {
public:
    // The change record's grain: bands of this many rows (each trimmed to the
    // rows written in it), columns this many pixels wide, one cache line of
    // 32-bit pixels. What a repaint costs is the cache lines it touches and
    // the rectangles, which the window pays for one by one: finer grains
    // touch fewer lines but hand over more rectangles.
    static constexpr int kChangeBand = 8;
    static constexpr int kChangeColumn = 16;

    // A negative width or height is taken as 0. A new size starts black.
    void Resize(int width, int height);
    // A new size that keeps the picture: pixels where the old and the new
    // size overlap stay, the rest takes the colour `exposed`.
    void ResizeKeeping(int width, int height, Colour exposed);
    // Device pixels per pixel of the picture's design. A raster in a scaled
    // screen's own pixels has the renderers draw their sizes and shifts this
    // much larger, so that the picture keeps its size and stays crisp. A
    // scale that is not positive is taken as 1.
    void SetPixelScale(double scale) { pixel_scale_ = scale > 0 ? scale : 1.0; }
    double PixelScale() const { return pixel_scale_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void SetBrushColour(Colour colour) { brush_ = colour; }
    // Replaces every pixel with left <= x < right and top <= y < bottom by the
    // brush colour, clipped to the surface; the pen's raster mode does not apply.
    void FillRect(int left, int top, int right, int bottom);
    // Leaves the surface exactly as FillRect(0, 0, Width(), Height()) does.
    // When the brush has the colour of the last whole-surface fill, only the
    // pixels written since then are rewritten.
    void Clear();

    void SetPenColour(Colour colour) { pen_colour_ = colour; }
    // 0 draws 1 pixel wide; a negative width is ignored (the pen keeps its width).
    void SetPenWidth(int width);
    void SetPenMode(RasterMode mode) { pen_mode_ = mode; }
    Colour PenColour() const { return pen_colour_; }
    int PenWidth() const { return pen_width_; }
    RasterMode PenMode() const { return pen_mode_; }

    void MoveTo(int x, int y);
    // A solid stroke as wide as the pen from the current position to (x, y),
    // clipped to the surface; a 1-pixel stroke leaves out its end point. Wider
    // strokes are square-cut bands that keep both ends; an even width puts its
    // extra row above (or, for steep strokes, left of) the centre line. A
    // stroke of zero length draws nothing. Any int coordinates are fine: only
    // pixels on the surface are visited. The current position becomes (x, y).
    void LineTo(int x, int y);

    // The colour at (x, y), 0xBBGGRR; the point must lie on the surface.
    Colour Pixel(int x, int y) const;

    // Row-major words, Width() per row.
    const std::uint32_t* Bits() const { return pixels_.data(); }
    int BytesPerLine() const { return width_ * 4; }

    // The record of changes since the last ForgetChanges(): whether anything
    // was written, whether it may have been the whole surface (after a resize
    // or a whole-surface fill), and the changed runs of columns of each band
    // as rectangles clipped to the surface. ForEachChangedRect visits them
    // band by band from the top, left to right within a band; rectangles of
    // one band share top and height, never overlap and never touch side by
    // side.
    bool Changed() const { return all_changed_ || any_changed_; }
    bool AllChanged() const { return all_changed_; }
    template <typename Visit>
    void ForEachChangedRect(Visit&& visit) const;
    void ForgetChanges();

    // The one conversion between the colour and pixel layouts.
    static std::uint32_t ToPixel(Colour colour);
    static Colour ToColour(std::uint32_t pixel);

private:
    // Enough for every stroke of a frame (two per point and view) with room
    // to spare; beyond it the record falls back to their bounding box.
    static constexpr int kTrackedCapacity = 1024;

    // The new size's dimensions and change record; the pixels are the caller's.
    void SetSize(int width, int height);
    // Writes every pixel of r (clipped, not empty) with `pixel`.
    void Fill(const PixelRect& r, std::uint32_t pixel);
    // The whole surface is now `pixel`.
    void ResetTracking(std::uint32_t pixel);
    // Pixels inside r may no longer be the base colour.
    void Track(const PixelRect& r);
    void MarkChanged(const PixelRect& r);
    // The next run of changed columns in band `band` at or after column
    // `from`: true with its columns [first, end), or false when there is none.
    bool NextChangedRun(int band, int from, int& first, int& end) const;
    // Writes one pixel with the pen's raster mode; (x, y) must lie on the surface.
    void Plot(int x, int y, std::uint32_t pen_pixel);
    // The same for first <= x <= last of row y, all on the surface.
    void Span(int y, int first, int last, std::uint32_t pen_pixel);
    // The three kinds of stroke LineTo picks from; each clips before it loops.
    void ThinLine(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel);
    void AxisBand(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel);
    void SlantedBand(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel);

    int width_ = 0;
    int height_ = 0;
    double pixel_scale_ = 1.0;
    std::vector<std::uint32_t> pixels_;
    Colour brush_ = 0xFFFFFF;
    Colour pen_colour_ = 0x000000;
    int pen_width_ = 1;
    RasterMode pen_mode_ = RasterMode::Copy;
    int pen_x_ = 0;
    int pen_y_ = 0;

    // Every pixel outside tracked_ (or, once it overflowed, outside
    // tracked_bounds_) shows base_pixel_.
    std::uint32_t base_pixel_ = ToPixel(0x000000);
    std::array<PixelRect, kTrackedCapacity> tracked_{};
    int tracked_count_ = 0;
    bool tracked_overflow_ = false;
    std::int64_t tracked_area_ = 0;
    PixelRect tracked_bounds_;

    // One bit per column, band by band, change_words_ words per band; and the
    // rows of each band written since (empty: nothing in that band).
    struct Rows {
        int top = 0;
        int bottom = 0;
        bool Empty() const { return top >= bottom; }
    };
    std::vector<std::uint64_t> change_bits_;
    std::vector<Rows> band_rows_;
    int change_columns_ = 0;
    int change_bands_ = 0;
    int change_words_ = 0;
    bool all_changed_ = true;
    bool any_changed_ = false;
};

template <typename Visit>
void RasterSurface::ForEachChangedRect(Visit&& visit) const {
    if (width_ == 0 || height_ == 0) return;
    if (all_changed_) {
        visit(PixelRect{0, 0, width_, height_});
        return;
    }
    if (!any_changed_) return;
    for (int band = 0; band < change_bands_; ++band) {
        const Rows& rows = band_rows_[band];
        if (rows.Empty()) continue;
        int first = 0;
        int end = 0;
        while (NextChangedRun(band, end, first, end)) {
            const int right = end * kChangeColumn < width_ ? end * kChangeColumn : width_;
            visit(PixelRect{first * kChangeColumn, rows.top, right, rows.bottom});
        }
    }
}

}  // namespace kaleidra
