#pragma once

#include <QProxyStyle>

namespace kaleidra {

// The platform style with the classic captioned box: the frame runs through
// the middle of the caption instead of below it, which gives the panel's
// densely packed boxes the room they were laid out with. Radio indicators are
// those of the classic style's size, so that nine of them fit the effect box
// with a gap between each two.
class GroupBoxStyle : public QProxyStyle {
public:
    // `scale`: the panel's scale for the desktop's font (1 as designed).
    explicit GroupBoxStyle(double scale = 1.0);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
    // Radio indicators small enough to stand apart at the panel's item pitch.
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;

private:
    int indicator_;
};

}  // namespace kaleidra
