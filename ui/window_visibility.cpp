#include "ui/window_visibility.h"

#include <xcb/xcb.h>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <cstdint>
#include <cstdlib>

namespace kaleidra {

WindowVisibility::WindowVisibility(QWidget& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
}

WindowVisibility::~WindowVisibility() {
    if (x_window_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void WindowVisibility::WatchCover() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return;
    const auto window = static_cast<xcb_window_t>(window_.winId());
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr);
    if (!attributes) return;
    const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
    std::free(attributes);
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    x_window_ = window;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool WindowVisibility::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_VISIBILITY_NOTIFY) return false;
    const auto* visibility = static_cast<const xcb_visibility_notify_event_t*>(message);
    if (visibility->window == x_window_) {
        covered_ = visibility->state == XCB_VISIBILITY_FULLY_OBSCURED;
        emit SeenChanged();
    }
    return false;
}

bool WindowVisibility::Seen() const {
    const QWindow* handle = window_.windowHandle();
    return !shown_once_ || (!covered_ && !window_.isMinimized() && handle && handle->isExposed());
}

bool WindowVisibility::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == &window_ && type == QEvent::Show && window_.windowHandle()) {
        window_.windowHandle()->installEventFilter(this);  // once: a filter is installed once
    } else if (watched == window_.windowHandle() && type == QEvent::Expose) {
        if (!shown_once_ && window_.windowHandle()->isExposed()) {
            shown_once_ = true;
            WatchCover();
        }
        emit SeenChanged();
    } else if (watched == &window_ && (type == QEvent::WindowStateChange || type == QEvent::Hide)) {
        emit SeenChanged();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kaleidra
