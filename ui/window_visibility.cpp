#include "ui/window_visibility.h"

#include <xcb/xcb.h>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <cstdint>
#include <cstdlib>
#include <functional>

namespace kaleidra {

// Asks the X server to report the window's visibility, added to what the
// toolkit selects, and hears its answers. Elsewhere (Wayland, offscreen) it
// never reports.
class WindowVisibility::CoverWatch final : public QAbstractNativeEventFilter {
public:
    CoverWatch(const QWidget& window, std::function<void(bool covered)> changed)
        : changed_(std::move(changed)) {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
        if (!connection) return;
        window_ = static_cast<unsigned int>(window.winId());
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, window_), nullptr);
        if (!attributes) return;
        const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
        std::free(attributes);
        xcb_change_window_attributes(connection, window_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~CoverWatch() override {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_VISIBILITY_NOTIFY) return false;
        const auto* visibility = static_cast<const xcb_visibility_notify_event_t*>(message);
        if (visibility->window == window_)
            changed_(visibility->state == XCB_VISIBILITY_FULLY_OBSCURED);
        return false;
    }

private:
    std::function<void(bool)> changed_;
    unsigned int window_ = 0;
};

WindowVisibility::WindowVisibility(QWidget& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
}

WindowVisibility::~WindowVisibility() {
    delete cover_watch_;
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
            if (QGuiApplication::platformName() == QLatin1String("xcb")) {
                cover_watch_ = new CoverWatch(window_, [this](bool covered) {
                    covered_ = covered;
                    emit SeenChanged();
                });
            }
        }
        emit SeenChanged();
    } else if (watched == &window_ && (type == QEvent::WindowStateChange || type == QEvent::Hide)) {
        emit SeenChanged();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kaleidra
