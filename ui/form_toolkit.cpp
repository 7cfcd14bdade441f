#include "ui/form_toolkit.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/drawing_area.h"
#include "ui/window_placement.h"
#include "ui/window_visibility.h"

namespace kaleidra {

namespace {

// The recovery's message, centred on the screen with its frame once its
// size is known, which is only as it is shown.
class ErrorBox final : public QMessageBox {
public:
    explicit ErrorBox(QWidget* owner)
        : QMessageBox(QMessageBox::Critical, QStringLiteral("Fehler"),
                      QStringLiteral("Falscher Eingabewert! Standardwerte werden benutzt!"),
                      QMessageBox::Ok, owner) {
        button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        CentreOnScreen(*this, parentWidget());
    }
};

}  // namespace

FormToolkit::FormToolkit(QTimer& timer, const RequestGate& gate, const WindowVisibility& visibility)
    : timer_(timer), gate_(gate), visibility_(visibility) {}

void FormToolkit::Show(QWidget& owner, DrawingArea& picture, QPushButton& start_button) {
    owner_ = &owner;
    picture_ = &picture;
    start_button_ = &start_button;
}

void FormToolkit::RunTimerWhileSeen() {
    if (animating_ && visibility_.Seen()) {
        if (!timer_.isActive()) timer_.start();
    } else {
        timer_.stop();
    }
}

// The frame a change handler runs comes in the middle of the user's input: a
// click moves the focus, the field left behind clamps and changes, and its
// frame runs before the click has reached its button. Input still queued then
// waits until that input is delivered, so that no press is parted from its
// release and no key overtakes another; paints and ticks go on.
void FormToolkit::ProcessMessages() {
    if (picture_) picture_->UpdateChanged();  // only the crosses that went and came
    QApplication::processEvents(gate_.HandlerFrameUnderWay() ? QEventLoop::ExcludeUserInputEvents
                                                             : QEventLoop::AllEvents);
}

// One box for the whole run, transient for the window so that a compositor
// places it over it; modal for the whole program.
void FormToolkit::ShowErrorBox() {
    if (!error_box_) error_box_ = new ErrorBox(owner_);
    error_box_->exec();
}

void FormToolkit::SetTimerEnabled(bool enabled) {
    animating_ = enabled;
    RunTimerWhileSeen();
}

void FormToolkit::SetTimerInterval(int milliseconds) {
    timer_.setInterval(milliseconds);
}

void FormToolkit::ShowRunning(bool running) {
    const QString caption = running ? QStringLiteral("STOP") : QStringLiteral("START");
    if (!start_button_ || start_button_->text() == caption) return;
    start_button_->setText(caption);
    // A screen reader hears the change as the button's new state.
    QAccessible::State toggled;
    toggled.checked = true;
    QAccessibleStateChangeEvent event(start_button_, toggled);
    QAccessible::updateAccessibility(&event);
}

}  // namespace kaleidra
