#pragma once

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <algorithm>
#include <cmath>

namespace kaleidra {

// The panel and the info box are laid out in pixels for the toolkit's own
// 9-point face, which is what it uses when no desktop asks for a font. A
// desktop whose font is larger (a platform theme such as qt6ct, KDE's font
// settings) gets both laid out larger by the ratio of the two; a smaller one
// changes nothing, so the designed layout stays exact to the pixel.
inline double TextScale() {
    constexpr double kToolkitPoints = 9.0;
    const QFont font = QApplication::font();
    const double points =
        font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    return std::max(1.0, points / kToolkitPoints);
}

// A designed length at that scale.
inline int Scaled(int designed, double scale) {
    return static_cast<int>(std::lround(designed * scale));
}

// The desktop's sans-serif face at a height in designed pixels. Fixed pixel
// heights keep the designed geometry; the classic faces the layouts were made
// for are not found on Linux. `stretch` narrows it (0: as the face comes).
inline QFont DesignFont(int pixels, bool bold = false, int stretch = 0) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    if (stretch) font.setStretch(stretch);
    return font;
}

}  // namespace kaleidra
