#pragma once

// A panel, a toolkit and a random source that behave like the real window for
// long unattended runs: spin fields keep the text as typed and read it the way
// the window does, clicks fire the same handlers, and the defaults come back
// in the window's order with a frame for each changed background, effect,
// stereo base and point size. Shared by the soak test and the frame fuzzer.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "core/control_defaults.h"
#include "core/control_panel.h"
#include "core/random_source.h"
#include "core/scene.h"
#include "core/spin_text.h"
#include "core/toolkit.h"
#include "support/fakes.h"

namespace kaleidra::soak {

inline constexpr int kSpinFieldCount = 9;
inline constexpr int kCheckBoxCount = 3;

inline SpinField FieldAt(int index) {
    return static_cast<SpinField>(index);
}

// The camera distance the view transform forms from a position: 32-bit, wrapping.
inline std::int32_t DistanceFor(int position) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(position) * 10u + 130u);
}

class WindowLikePanel : public ControlPanel {
public:
    WindowLikePanel() {
        for (int f = 0; f < kSpinFieldCount; ++f)
            text[f] = std::to_string(RangeOf(FieldAt(f)).standard);
        enabled.fill(true);
        for (int b = 0; b < kCheckBoxCount; ++b)
            check[b] = DefaultChecked(static_cast<CheckField>(b));
    }

    // What the field reads as, without counting it as the scene's read.
    int Read(SpinField field) const {
        return ReadSpinText(text[static_cast<int>(field)], RangeOf(field).minimum);
    }

    int Value(SpinField field) const override {
        const int v = Read(field);
        const SpinRange r = RangeOf(field);
        if (v < r.minimum || v > r.maximum) ++out_of_range_reads;
        // The camera set-up reads the position and then the mode, with nothing
        // in between that could change either: this read decides whether the
        // "direkt" division by a zero distance is about to fail the frame.
        if (field == SpinField::SpinEdit8 && radio2 && DistanceFor(v) == 0) {
            ++expected_camera_faults;
            if (Read(SpinField::SpinEdit3) == 0) ++expected_camera_zero_by_zero;
        }
        return v;
    }
    bool Checked(CheckField box) const override { return check[static_cast<int>(box)]; }
    int RadioGroup1() const override { return background; }
    int RadioGroup2() const override { return effect; }
    bool RadioButton1() const override { return radio1; }
    bool RadioButton2() const override { return radio2; }

    // The window's order; each control that changes raises its handler.
    void Standardwerte() override {
        ClickBackground(kDefaultBackground);
        ClickEffect(kDefaultEffect);
        radio1 = true;
        radio2 = false;
        const SpinField order[] = {
            SpinField::SpinEdit1, SpinField::SpinEdit6, SpinField::SpinEdit7,
            SpinField::SpinEdit2, SpinField::SpinEdit5, SpinField::SpinEdit3,
            SpinField::SpinEdit4, SpinField::SpinEdit8, SpinField::SpinEdit9};
        for (SpinField f : order)
            SetValue(f, RangeOf(f).standard);
        for (int b = 0; b < kCheckBoxCount; ++b)
            check[b] = DefaultChecked(static_cast<CheckField>(b));
    }

    // ---- what a user (or code) does to the panel

    // A click on an item; clicking the item already selected changes nothing.
    void ClickBackground(int index) {
        if (index == background) return;
        background = index;
        RunFrame();  // RadioGroup1Click
    }

    void ClickEffect(int index) {
        if (index == effect) return;
        effect = index;
        // RadioGroup2Click
        const bool pulfrich = effect == kEffectPulfrich;
        if (pulfrich) SetValue(SpinField::SpinEdit9, 0);
        enabled[static_cast<int>(SpinField::SpinEdit3)] = !pulfrich;
        enabled[static_cast<int>(SpinField::SpinEdit9)] = !pulfrich;
        RunFrame();
    }

    // No item selected, as code can leave a group; no click handler runs.
    void DeselectBackground() { background = -1; }
    void DeselectEffect() { effect = -1; }

    void ChooseDirekt(bool direkt) {
        radio1 = !direkt;
        radio2 = direkt;
    }

    // Typing or pasting: the text is kept unclamped. Disabled fields take nothing.
    void Type(SpinField field, const std::string& typed) {
        const int f = static_cast<int>(field);
        if (!enabled[f] || text[f] == typed) return;
        text[f] = typed;
        Changed(field);
    }

    // Setting from code or the step buttons: clamped, the text rewritten.
    void SetValue(SpinField field, long long value) {
        const SpinRange r = RangeOf(field);
        const int f = static_cast<int>(field);
        const std::string clamped =
            std::to_string(std::clamp<long long>(value, r.minimum, r.maximum));
        if (text[f] == clamped) return;
        text[f] = clamped;
        Changed(field);
    }

    void Step(SpinField field, int by) {
        if (!enabled[static_cast<int>(field)]) return;
        SetValue(field, static_cast<long long>(Read(field)) + by);
    }

    // Focus leaves the field: a value outside the range is clamped and rewritten.
    void Leave(SpinField field) {
        const SpinRange r = RangeOf(field);
        const int v = Read(field);
        if (v < r.minimum || v > r.maximum) SetValue(field, v);
    }

    void Toggle(CheckField box) { check[static_cast<int>(box)] = !check[static_cast<int>(box)]; }

    bool AtDefaults() const {
        for (int f = 0; f < kSpinFieldCount; ++f) {
            if (text[f] != std::to_string(RangeOf(FieldAt(f)).standard) || !enabled[f])
                return false;
        }
        for (int b = 0; b < kCheckBoxCount; ++b) {
            if (check[b] != DefaultChecked(static_cast<CheckField>(b))) return false;
        }
        return background == kDefaultBackground && effect == kDefaultEffect && radio1 && !radio2;
    }

    Scene* scene = nullptr;
    std::array<std::string, kSpinFieldCount> text;
    std::array<bool, kSpinFieldCount> enabled{};
    std::array<bool, kCheckBoxCount> check{};
    int background = kDefaultBackground;
    int effect = kDefaultEffect;
    bool radio1 = true;
    bool radio2 = false;

    mutable long long expected_camera_faults = 0;
    mutable long long expected_camera_zero_by_zero = 0;
    // Reads of a typed value outside its field's range: only such values (or a
    // grown shape) can carry a point so far that its pixel leaves 64 bits.
    mutable long long out_of_range_reads = 0;
    long long handler_frames = 0;

private:
    void Changed(SpinField field) {
        if (field == SpinField::SpinEdit3 || field == SpinField::SpinEdit4) RunFrame();
    }
    void RunFrame() {
        ++handler_frames;
        if (scene) scene->Modell_Ausgabe();
    }
};

// The soak only counts what the toolkit is asked for.
using RecordingToolkit = testing::FakeToolkit;

// The program's stream, seeded so that a failing run can be repeated. The
// clock reseed is counted, not done, for the same reason.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    int Random(int n) override {
        if (n <= 0) return 0;
        std::uniform_int_distribution<int> draw(0, n - 1);
        const int r = draw(engine_);
        if (on_draw) on_draw(n, r);
        return r;
    }
    void Randomize() override { ++reseeds; }

    long long reseeds = 0;
    std::function<void(int n, int r)> on_draw;

private:
    std::mt19937_64 engine_;
};

// Whether shape 13, growing `shape` by the factor that draw `r` of 0..9
// gives, overflows a coordinate.
inline bool GrowOverflows(const PointSet& shape, int r) {
    const double f = r / 50.0 + 1.3;
    for (int k = 1; k <= kPointCount; ++k) {
        const Point3D& p = shape[k];
        if (std::isinf(p.x * f) || std::isinf(p.y * f) || std::isinf(p.z * f)) return true;
    }
    return false;
}

inline bool AllFinite(const PointSet& set) {
    for (int k = 1; k <= kPointCount; ++k) {
        const Point3D& p = set[k];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
    }
    return true;
}

inline double LargestCoordinate(const PointSet& set) {
    double largest = 0.0;
    for (int k = 1; k <= kPointCount; ++k) {
        for (double c : {set[k].x, set[k].y, set[k].z})
            largest = std::max(largest, std::fabs(c));
    }
    return largest;
}

inline bool AtOrigin(const PointSet& set) {
    PointSet origin;
    return set == origin;
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

// The panel, toolkit and random source wired to a scene as the window wires
// them, with the shape-13 overflow watched at the draw that decides it.
struct WindowLikeRig {
    explicit WindowLikeRig(std::uint64_t seed) : random(seed) {
        panel.scene = &scene;
        random.on_draw = [this](int n, int r) {
            // Only the grow draws 0..9 while shape 13 is being built.
            if (n == 10 && scene.NewShape && scene.ShapeNo == 13 &&
                GrowOverflows(scene.ShapeSet, r))
                ++expected_grow_faults;
        };
    }
    long long ExpectedFaults() const { return panel.expected_camera_faults + expected_grow_faults; }
    // The state the recovery must leave, whatever led to it.
    bool Recovered() const {
        return panel.AtDefaults() && scene.ShapeNo == 1 && !scene.NewShape && !scene.Busy &&
               scene.AngleX == 0 && scene.AngleY == 0 && scene.AngleZ == 0 &&
               scene.SwitchCounter == 0 && AtOrigin(scene.MorphSet) &&
               LooksLikeShape1(scene.ShapeSet) && toolkit.timer_enabled &&
               toolkit.caption == kCaptionRunning;
    }

    WindowLikePanel panel;
    RecordingToolkit toolkit;
    SeededRandom random;
    Scene scene{panel, toolkit, random};
    long long expected_grow_faults = 0;
};

}  // namespace kaleidra::soak
