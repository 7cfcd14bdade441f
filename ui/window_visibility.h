#pragma once

#include <QObject>

class QWidget;

namespace kaleidra {

// Whether anybody can see a top-level window: not before it is first shown,
// and then neither while it is minimised, hidden or not exposed, nor while
// X11 reports it fully covered by other windows (the toolkit still calls such
// a window exposed). SeenChanged() fires whenever any of these may have
// changed.
class WindowVisibility final : public QObject {
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
    class CoverWatch;

    QWidget& window_;
    bool shown_once_ = false;
    bool covered_ = false;
    CoverWatch* cover_watch_ = nullptr;
};

}  // namespace kaleidra
