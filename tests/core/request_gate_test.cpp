#include "core/request_gate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace kaleidra {
namespace {

// A handler's frame that, like the real one, processes pending events at its
// end: here whatever the test queues as arriving then.
struct Frames : FrameRunner {
    void Modell_Ausgabe() override {
        ++depth;
        deepest = std::max(deepest, depth);
        if (arriving) arriving();
        --depth;
    }
    std::function<void()> arriving;
    int depth = 0;
    int deepest = 0;
};

// A flood of requests, each arriving during the frame the one before runs:
// none runs inside a frame, all run in order, and the nesting stays flat.
TEST(RequestGate, RequestsDuringAHandlersFrameWaitForItsEndAndRunInOrder) {
    Frames frames;
    RequestGate gate(frames);
    std::vector<int> ran;
    int sent = 0;
    std::function<void()> request = [&] {
        EXPECT_FALSE(gate.HandlerFrameUnderWay());
        ran.push_back(static_cast<int>(ran.size()));
        gate.Modell_Ausgabe();  // each one runs its handler's frame
    };
    frames.arriving = [&] {
        EXPECT_TRUE(gate.HandlerFrameUnderWay());
        for (int i = 0; i < 2 && sent < 10000; ++i, ++sent)
            gate.Hand(request);
    };
    gate.Modell_Ausgabe();
    EXPECT_EQ(ran.size(), 10000u);
    EXPECT_EQ(frames.deepest, 1);
    EXPECT_FALSE(gate.HandlerFrameUnderWay());

    frames.arriving = nullptr;
    bool now = false;
    gate.Hand([&] { now = true; });
    EXPECT_TRUE(now) << "with no frame under way a request runs at once";
}

}  // namespace
}  // namespace kaleidra
