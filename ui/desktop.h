#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>

class QCoreApplication;
class QWidget;

namespace kaleidra {

// Chosen before the toolkit starts: Qt's own event loop instead of glib's.
// A frame passes through the loop three times (the timer, the tick, the
// repaint), and each pass through glib's runs prepare, check and dispatch
// over every source under its locks: with Qt's own the program uses a sixth
// to a third less CPU. Nothing in the program needs glib's loop. A value the
// user set stays.
void ChooseEventLoop();

// What the program asks of the toolkit before its first window: the toolkit's
// own texts (context menus, standard buttons) in German, whatever the locale,
// since every text of the program is German. True when the translation was
// found; without it those few texts stay English.
bool SetUpToolkit(QCoreApplication& app);

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
