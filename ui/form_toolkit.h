#pragma once

#include <QPointer>

#include "core/request_gate.h"
#include "core/toolkit.h"

class QMessageBox;
class QPushButton;
class QTimer;
class QWidget;

namespace kaleidra {

class DrawingArea;
class WindowVisibility;

// What the frame cycle asks of the toolkit, as the main window provides it.
// The animation's timer runs while the animation is switched on and somebody
// can see the window; the start button follows the switch alone.
class FormToolkit final : public Toolkit {
public:
    FormToolkit(QTimer& timer, const RequestGate& gate, const WindowVisibility& visibility);

    // The window's pieces that show what the frame cycle does; the error box
    // is a child of `owner`.
    void Show(QWidget& owner, DrawingArea& picture, QPushButton& start_button);
    // The window was seen or unseen: the timer follows.
    void RunTimerWhileSeen();

    void ProcessMessages() override;
    void ShowErrorBox() override;
    bool TimerEnabled() const override { return animating_; }
    void SetTimerEnabled(bool enabled) override;
    void SetTimerInterval(int milliseconds) override;
    void ShowRunning(bool running) override;

private:
    QTimer& timer_;
    const RequestGate& gate_;
    const WindowVisibility& visibility_;
    QWidget* owner_ = nullptr;
    DrawingArea* picture_ = nullptr;
    QPushButton* start_button_ = nullptr;
    bool animating_ = false;
    // Built at the first fault and shown again for every one after it; a
    // child of the window, which deletes it.
    QPointer<QMessageBox> error_box_;
};

}  // namespace kaleidra
