#include "core/request_gate.h"

#include <utility>

namespace kaleidra {

void RequestGate::Modell_Ausgabe() {
    {
        // Counted down also when the frame leaves by an exception.
        struct UnderWay {
            int& count;
            ~UnderWay() { --count; }
        } under_way{++frames_under_way_};
        frames_.Modell_Ausgabe();
    }
    RunHeld();
}

void RequestGate::Hand(std::function<void()> request) {
    if (frames_under_way_ > 0 || !held_.empty()) {
        held_.push_back(std::move(request));
        RunHeld();  // nothing under way: a request that came while others were held
        return;
    }
    request();
}

// One loop runs them; a held request's own frame ends inside it and leaves
// the rest to this loop rather than starting another.
void RequestGate::RunHeld() {
    if (frames_under_way_ > 0 || running_held_) return;
    running_held_ = true;
    while (!held_.empty() && frames_under_way_ == 0) {
        std::function<void()> request = std::move(held_.front());
        held_.pop_front();
        request();
    }
    running_held_ = false;
}

}  // namespace kaleidra
