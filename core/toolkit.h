#pragma once

namespace kaleidra {

// What the frame cycle needs of the windowing toolkit. The main window
// provides it; tests provide a fake that records and scripts the calls.
class Toolkit {
public:
    virtual ~Toolkit() = default;
    // Process all pending input, paint and timer events; may re-enter a frame.
    virtual void ProcessMessages() = 0;
    // The modal "Fehler" box; returns when the user has closed it.
    virtual void ShowErrorBox() = 0;
    virtual bool TimerEnabled() const = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;
    virtual void SetTimerInterval(int milliseconds) = 0;
    // The start button shows whether the animation runs ("STOP") or not ("START").
    virtual void ShowRunning(bool running) = 0;
};

}  // namespace kaleidra
