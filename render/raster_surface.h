#pragma once

#include <cstdint>
#include <vector>

namespace kaleidra {

// A 24-bit colour written 0xBBGGRR: red in the low byte (red 0x0000FF,
// cyan 0xFFFF00), as the renderers' tables give them.
using Colour = std::uint32_t;

enum class RasterMode {
    Copy,   // pixel := pen colour
    Merge,  // pixel := pixel OR pen colour
    Mask,   // pixel := pixel AND pen colour
};

// The persistent raster behind the drawing area. Pixels are 32-bit words
// 0xFFRRGGBB (the layout of QImage::Format_RGB32, alpha byte always full), so
// the window can show the buffer as it is. Contents persist between frames
// and across a resize to the same size.
class RasterSurface {
public:
    // A negative width or height is taken as 0. A new size starts black.
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    void SetBrushColour(Colour colour) { brush_ = colour; }
    // Replaces every pixel with left <= x < right and top <= y < bottom by the
    // brush colour, clipped to the surface; the pen's raster mode does not apply.
    void FillRect(int left, int top, int right, int bottom);

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

    // The one conversion between the colour and pixel layouts.
    static std::uint32_t ToPixel(Colour colour);
    static Colour ToColour(std::uint32_t pixel);

private:
    // Writes one pixel with the pen's raster mode; (x, y) must lie on the surface.
    void Plot(int x, int y, std::uint32_t pen_pixel);
    // The three kinds of stroke LineTo picks from; each clips before it loops.
    void ThinLine(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel);
    void AxisBand(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel);
    void SlantedBand(int x0, int y0, int x1, int y1, std::uint32_t pen_pixel);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    Colour brush_ = 0xFFFFFF;
    Colour pen_colour_ = 0x000000;
    int pen_width_ = 1;
    RasterMode pen_mode_ = RasterMode::Copy;
    int pen_x_ = 0;
    int pen_y_ = 0;
};

}  // namespace kaleidra
