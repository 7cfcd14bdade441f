#include "ui/group_box_style.h"

#include <QPainter>
#include <QRegion>
#include <QStyleFactory>
#include <QStyleOption>
#include <cmath>

namespace kaleidra {

namespace {

// The effect box gives each of its nine items 12 pixels: a 10-pixel circle
// leaves two between neighbours.
constexpr int kRadioIndicator = 10;

}  // namespace

GroupBoxStyle::GroupBoxStyle(double scale)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))),
      indicator_(static_cast<int>(std::lround(kRadioIndicator * scale))) {}

QRect GroupBoxStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                    SubControl sub, const QWidget* widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box || box->text.isEmpty()) return rect;
    const QRect label = QProxyStyle::subControlRect(control, option, SC_GroupBoxLabel, widget);
    if (sub == SC_GroupBoxFrame) rect.setTop(label.center().y());
    if (sub == SC_GroupBoxContents) rect.setTop(label.bottom() + 1);
    return rect;
}

int GroupBoxStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                               const QWidget* widget) const {
    if (metric == PM_ExclusiveIndicatorWidth || metric == PM_ExclusiveIndicatorHeight)
        return indicator_;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void GroupBoxStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                       QPainter* painter, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box || box->text.isEmpty() ||
        !(box->subControls & SC_GroupBoxFrame)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // The frame first, in the style's outline colour and leaving a gap for the
    // caption, then the caption alone.
    const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
    const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->save();
    painter->setClipRegion(QRegion(box->rect) - QRegion(label.adjusted(-1, 0, 1, 0)));
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(box->palette.color(QPalette::Window).darker(140));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 2.0, 2.0);
    painter->restore();

    QStyleOptionGroupBox caption(*box);
    caption.subControls &= ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &caption, painter, widget);
}

}  // namespace kaleidra
