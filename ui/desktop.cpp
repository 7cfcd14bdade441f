#include "ui/desktop.h"

#include <xcb/xcb.h>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdint>
#include <cstdlib>

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

CoverWatch::CoverWatch(std::function<void(bool)> changed) : changed_(std::move(changed)) {}

CoverWatch::~CoverWatch() {
    if (window_ != 0 && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void CoverWatch::Watch(const QWidget& window) {
    if (window_ != 0 || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return;
    window_ = static_cast<unsigned int>(window.winId());
    // Added to what the toolkit selects, never in place of it.
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window_), nullptr);
    if (!attributes) return;
    const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
    std::free(attributes);
    xcb_change_window_attributes(connection, window_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool CoverWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_VISIBILITY_NOTIFY) return false;
    const auto* visibility = static_cast<const xcb_visibility_notify_event_t*>(message);
    if (visibility->window == window_) changed_(visibility->state == XCB_VISIBILITY_FULLY_OBSCURED);
    return false;
}

}  // namespace kaleidra
