#pragma once

// The test kit: the one stand-in for the toolkit, the random sources, and the
// program's own panel wired to a scene as the window wires it, with a record
// of the frames its handlers ran. The unit tests, the soak, the frame fuzzer
// and the benchmark all use these.

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
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
    void ShowRunning(bool running) override { caption = running ? "STOP" : "START"; }

    bool timer_enabled = false;
    int interval = 0;
    std::string caption = "Start";
    long long process_calls = 0;
    long long error_boxes = 0;
    std::function<void()> on_process_messages;
    std::function<void()> on_error_box;
};

// The program's own panel. Its handlers' frames go to `scene` through the
// same interface the window wires, and are counted on the way.
class RecordingPanel : public ControlPanel, private FrameRunner {
public:
    RecordingPanel() { Attach(this); }

    // Puts controls into a state as a test arranges it: no frame runs.
    template <typename Arrange>
    void Quietly(Arrange&& arrange) {
        Attach(nullptr);
        arrange();
        Attach(this);
    }
    void Set(SpinField field, int value) {
        Quietly([&] { Type(field, std::to_string(value)); });
    }
    void Set(CheckField box, bool on) { SetChecked(box, on); }
    void Toggle(CheckField box) { SetChecked(box, !Checked(box)); }

    Scene* scene = nullptr;
    long long handler_frames = 0;

private:
    void Modell_Ausgabe() override {
        ++handler_frames;
        if (scene) scene->Modell_Ausgabe();
    }
};

// Always yields the same end of the range: 0, or n - 1 (0 for n = 0). The
// log tells draws ('d') and reseeds ('S') apart, in order.
class FixedRandom : public RandomSource {
public:
    enum class End { Low, High };
    explicit FixedRandom(End end = End::Low) : end_(end) {}
    int Random(int n) override {
        ++draws;
        log += 'd';
        if (n <= 0 || end_ == End::Low) return 0;
        return n - 1;
    }
    void Randomize() override {
        ++reseeds;
        log += 'S';
    }
    int draws = 0;
    int reseeds = 0;
    std::string log;

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

// The program's stream, seeded so that a run can be repeated. The clock
// reseed is counted, not done, for the same reason.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    int Random(int n) override {
        if (n <= 0) return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(engine_);
    }
    void Randomize() override { ++reseeds; }
    long long reseeds = 0;

private:
    std::mt19937_64 engine_;
};

// A scene wired to the kit, as the window wires the real thing.
template <typename Random = FixedRandom>
struct BasicRig {
    template <typename... Seed>
    explicit BasicRig(Seed... seed) : random(seed...) {
        panel.scene = &scene;
    }
    RecordingPanel panel;
    FakeToolkit toolkit;
    Random random;
    Scene scene{panel, toolkit, random};
};
using SceneRig = BasicRig<FixedRandom>;

inline bool AllFinite(const PointSet& set) {
    for (int k = 1; k <= kPointCount; ++k) {
        const Point3D& p = set[k];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
    }
    return true;
}

// Shape 1 is a random cube of integer points in -55..54.
inline bool LooksLikeShape1(const PointSet& set) {
    for (int k = 1; k <= kPointCount; ++k) {
        for (double c : {set[k].x, set[k].y, set[k].z}) {
            if (c != std::floor(c) || c < -55 || c > 54) return false;
        }
    }
    return true;
}

// Every control at its default and enabled.
inline bool AtDefaults(const ControlPanel& panel) {
    for (int f = 0; f < kSpinFieldCount; ++f) {
        const auto field = static_cast<SpinField>(f);
        if (panel.Text(field) != std::to_string(RangeOf(field).standard) || !panel.Enabled(field))
            return false;
    }
    for (int b = 0; b < kCheckBoxCount; ++b) {
        const auto box = static_cast<CheckField>(b);
        if (panel.Checked(box) != DefaultChecked(box)) return false;
    }
    return panel.RadioGroup1() == kDefaultBackground && panel.RadioGroup2() == kDefaultEffect &&
           panel.RadioButton1();
}

// The state a recovery leaves, whatever led to it: the defaults, shape 1,
// the cloud at the origin, the frame state at its start values, running.
template <typename Rig>
bool Recovered(const Rig& rig) {
    const Scene& s = rig.scene;
    return AtDefaults(rig.panel) && s.ShapeNo == 1 && !s.NewShape && !s.Busy && s.AngleX == 0 &&
           s.AngleY == 0 && s.AngleZ == 0 && s.SwitchCounter == 0 && s.MorphSet == PointSet{} &&
           LooksLikeShape1(s.ShapeSet) && rig.toolkit.timer_enabled &&
           rig.toolkit.caption == "STOP";
}

}  // namespace kaleidra::testing
