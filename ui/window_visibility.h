#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

namespace kaleidra {

// Whether anybody can see a top-level window: not before it is first shown,
// and then neither while it is minimised, hidden or not exposed, nor while
// X11 reports it fully covered by other windows (the toolkit still calls such
// a window exposed). SeenChanged() fires whenever any of these may have
// changed.
class WindowVisibility final : public QObject, private QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit WindowVisibility(QWidget& window);
    ~WindowVisibility() override;

    bool Seen() const;

signals:
    void SeenChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Asks the X server to report the window's visibility too, besides what
    // the toolkit selects. Elsewhere (Wayland, offscreen) nothing is asked.
    void WatchCover();
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

    QWidget& window_;
    bool shown_once_ = false;
    bool covered_ = false;
    unsigned int x_window_ = 0;  // watched for being covered; 0: not
};

}  // namespace kaleidra
