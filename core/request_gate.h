#pragma once

#include <deque>
#include <functional>

#include "core/control_panel.h"

namespace kaleidra {

// Stands between the panel and its frames, and between the window's controls
// and the panel. A frame that a handler runs processes pending events at its
// end; user input is held back there, but requests that come as other events
// (assistive technology writing a value or pressing a button) are not, and
// each would run its own handler's frame inside the one before, without
// bound. So whatever the controls hand on while such a frame is under way
// waits until it ends, and then runs in the order it came.
class RequestGate final : public FrameRunner {
public:
    explicit RequestGate(FrameRunner& frames) : frames_(frames) {}

    // A handler's frame: counted while under way, the held requests run after.
    void Modell_Ausgabe() override;
    // Runs the request now, or after the handler frames under way (and the
    // requests held before it).
    void Hand(std::function<void()> request);
    bool HandlerFrameUnderWay() const { return frames_under_way_ > 0; }

private:
    void RunHeld();

    FrameRunner& frames_;
    int frames_under_way_ = 0;
    bool running_held_ = false;
    std::deque<std::function<void()>> held_;
};

}  // namespace kaleidra
