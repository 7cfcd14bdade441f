#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace kaleidra {

namespace {

QMargins FrameMargins(const QWidget* widget) {
    const QWindow* handle = widget ? widget->windowHandle() : nullptr;
    return handle ? handle->frameMargins() : QMargins();
}

}  // namespace

void CentreOnScreen(QWidget& window, const QWidget* owner) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
    QScreen* screen = owner ? owner->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QMargins frame = FrameMargins(&window);
    if (frame.isNull()) frame = FrameMargins(owner);
    QRect outer(QPoint(), window.size().grownBy(frame));
    outer.moveCenter(screen->geometry().center());
    // Placed by its client area: a move() of a window already created would
    // take the frame for the margins the window manager has not told yet.
    window.setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window.size()));
}

}  // namespace kaleidra
