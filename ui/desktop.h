#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>

class QWidget;

namespace kaleidra {

// Moves a top-level window, not yet shown or shown, so that its frame (title
// bar and borders included) is centred on the screen of `owner`. Before the
// window manager has framed it once, the frame is taken to be as wide as the
// owner's. A Wayland compositor places windows itself; there it does nothing.
void CentreOnScreen(QWidget& window, const QWidget* owner);

// Tells when X11 reports a window fully covered by others, and when it can be
// seen again: the toolkit still calls such a window exposed. Elsewhere (Wayland,
// offscreen) it never tells.
class CoverWatch final : public QAbstractNativeEventFilter {
public:
    explicit CoverWatch(std::function<void(bool covered)> changed);
    ~CoverWatch() override;
    // Asks the X server to report the visibility of this native window.
    void Watch(const QWidget& window);
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    std::function<void(bool)> changed_;
    unsigned int window_ = 0;
};

}  // namespace kaleidra
