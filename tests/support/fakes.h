#pragma once

// Stand-ins for the window, the toolkit and the random source, so that the
// frame cycle runs, nests and recovers without a display.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/control_defaults.h"
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

// The panel as plain values. Standardwerte restores them in the window's
// order and, like the window, runs a frame for each changed background,
// effect, stereo base and point size.
class FakePanel : public ControlPanel {
public:
    FakePanel() {
        for (int f = 0; f < 9; ++f)
            spin[f] = RangeOf(static_cast<SpinField>(f)).standard;
        for (int b = 0; b < 3; ++b)
            check[b] = DefaultChecked(static_cast<CheckField>(b));
    }

    int Value(SpinField field) const override { return spin[static_cast<int>(field)]; }
    bool Checked(CheckField box) const override { return check[static_cast<int>(box)]; }
    int RadioGroup1() const override { return background; }
    int RadioGroup2() const override { return effect; }
    bool RadioButton1() const override { return parallel; }
    bool RadioButton2() const override { return !parallel; }

    void Standardwerte() override {
        ++resets;
        if (background != kDefaultBackground) {
            background = kDefaultBackground;
            RunFrame("RadioGroup1Click");
        }
        if (effect != kDefaultEffect) {
            effect = kDefaultEffect;
            RunFrame("RadioGroup2Click");
        }
        parallel = true;
        const SpinField order[] = {
            SpinField::SpinEdit1, SpinField::SpinEdit6, SpinField::SpinEdit7,
            SpinField::SpinEdit2, SpinField::SpinEdit5, SpinField::SpinEdit3,
            SpinField::SpinEdit4, SpinField::SpinEdit8, SpinField::SpinEdit9};
        for (SpinField f : order) {
            int& v = spin[static_cast<int>(f)];
            const int standard = RangeOf(f).standard;
            if (v == standard) continue;
            v = standard;
            if (f == SpinField::SpinEdit3) RunFrame("SpinEdit3Change");
            if (f == SpinField::SpinEdit4) RunFrame("SpinEdit4Change");
        }
        for (int b = 0; b < 3; ++b)
            check[b] = DefaultChecked(static_cast<CheckField>(b));
    }

    void Set(SpinField field, int value) { spin[static_cast<int>(field)] = value; }
    void Set(CheckField box, bool on) { check[static_cast<int>(box)] = on; }

    Scene* scene = nullptr;
    std::array<int, 9> spin{};
    std::array<bool, 3> check{};
    int background = kDefaultBackground;
    int effect = kDefaultEffect;
    bool parallel = true;
    int resets = 0;
    std::vector<std::string> handlers_fired;

private:
    void RunFrame(const char* handler) {
        handlers_fired.emplace_back(handler);
        if (scene) scene->Modell_Ausgabe();
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
    }
    FakePanel panel;
    FakeToolkit toolkit;
    FixedRandom random;
    Scene scene{panel, toolkit, random};
};

}  // namespace kaleidra::testing
