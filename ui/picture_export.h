#pragma once

#include <QImage>
#include <QString>

namespace kaleidra {

class RasterSurface;

// The picture as the drawing area shows it, in the raster's own pixels (so
// exact on a scaled screen too), with the program's name and version and the
// effect as PNG text.
QImage PictureOf(const RasterSurface& raster, const QString& effect);

// Writes the picture as a PNG to `path` through a temporary file that takes
// the name only once it is complete: nothing is ever half-written, and a
// failure leaves no file. The reason when it fails, or an empty string.
QString SavePicture(const QImage& picture, const QString& path);

// The file name the save dialog offers: Kaleidra-2026-12-10-143205.png, in
// the desktop's pictures folder.
QString SuggestedPicturePath();

}  // namespace kaleidra
