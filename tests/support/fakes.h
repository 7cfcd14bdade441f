#pragma once

// Stand-ins for the toolkit and the random source, and the real panel with a
// record of what it did, so that the frame cycle runs, nests and recovers
// without a display.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/control_panel.h"
#include "core/random_source.h"
#include "core/scene.h"
#include "core/toolkit.h"

namespace kaleidra::testing {

class FakeToolkit : public Toolkit {
public:
    void ProcessMessages() override {
        ++process_calls;
        if (on_process_messages) on_process_messages();
    }
    void ShowErrorBox() override {
        ++error_boxes;
        if (on_error_box) on_error_box();
    }
    bool TimerEnabled() const override { return timer_enabled; }
    void SetTimerEnabled(bool enabled) override { timer_enabled = enabled; }
    void SetTimerInterval(int milliseconds) override { interval = milliseconds; }
    void SetStartButtonCaption(std::string_view text) override { caption = std::string(text); }

    bool timer_enabled = false;
    int interval = 0;
    std::string caption = "Start";
    int process_calls = 0;
    int error_boxes = 0;
    std::function<void()> on_process_messages;
    std::function<void()> on_error_box;
};

// The program's own panel, recording what it did: how often the defaults
// came back and which handlers ran their frames.
class RecordingPanel : public ControlPanel, private PanelObserver {
public:
    RecordingPanel() { Observe(this); }

    void Standardwerte() override {
        ++resets;
        ControlPanel::Standardwerte();
    }

    // Puts controls into a state as a test arranges it: no frame runs, and
    // nothing is recorded.
    template <typename Arrange>
    void Quietly(Arrange&& arrange) {
        Observe(nullptr);
        Attach(nullptr);
        arrange();
        Attach(scene);
        Observe(this);
    }
    void Set(SpinField field, int value) {
        Quietly([&] { Type(field, std::to_string(value)); });
    }
    void Set(CheckField box, bool on) { SetChecked(box, on); }

    Scene* scene = nullptr;
    int resets = 0;
    std::vector<std::string> handlers_fired;

private:
    void HandlerRuns(Handler handler) override {
        static const char* const kNames[] = {"RadioGroup1Click", "RadioGroup2Click",
                                             "SpinEdit3Change", "SpinEdit4Change"};
        handlers_fired.emplace_back(kNames[static_cast<int>(handler)]);
    }
};

// Always yields the same end of the range: 0, or n - 1 (0 for n = 0).
class FixedRandom : public RandomSource {
public:
    enum class End { Low, High };
    explicit FixedRandom(End end) : end_(end) {}
    int Random(int n) override {
        ++draws;
        if (n <= 0 || end_ == End::Low) return 0;
        return n - 1;
    }
    void Randomize() override { ++reseeds; }
    int draws = 0;
    int reseeds = 0;

private:
    End end_;
};

// Yields the scripted values in turn, then 0.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values)) {}
    int Random(int n) override {
        requested.push_back(n);
        return next_ < values_.size() ? values_[next_++] : 0;
    }
    void Randomize() override { ++reseeds; }
    std::vector<int> requested;
    int reseeds = 0;

private:
    std::vector<int> values_;
    std::size_t next_ = 0;
};

// A scene wired to the fakes, as the window wires the real thing.
struct SceneRig {
    explicit SceneRig(FixedRandom::End end = FixedRandom::End::Low) : random(end) {
        panel.scene = &scene;
        panel.Attach(&scene);
    }
    RecordingPanel panel;
    FakeToolkit toolkit;
    FixedRandom random;
    Scene scene{panel, toolkit, random};
};

}  // namespace kaleidra::testing
