#pragma once

// The program's own panel with a record of what the soak and the frame fuzzer
// need to know, a recording toolkit and a seeded random source, wired to a
// scene as the window wires them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "core/control_defaults.h"
#include "core/control_panel.h"
#include "core/random_source.h"
#include "core/scene.h"
#include "core/toolkit.h"
#include "support/fakes.h"

namespace kaleidra::soak {

inline SpinField FieldAt(int index) {
    return static_cast<SpinField>(index);
}

// The camera distance the view transform forms from a position: 32-bit, wrapping.
inline std::int32_t DistanceFor(int position) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(position) * 10u + 130u);
}

// Counts, as the scene reads the settings, the faults those reads must lead to.
class WindowLikePanel : public ControlPanel, private PanelObserver {
public:
    WindowLikePanel() { Observe(this); }

    int Value(SpinField field) const override {
        const int v = Read(field);
        const SpinRange r = RangeOf(field);
        if (v < r.minimum || v > r.maximum) ++out_of_range_reads;
        // The camera set-up reads the position and then the mode, with nothing
        // in between that could change either: this read decides whether the
        // "direkt" division by a zero distance is about to fail the frame.
        if (field == SpinField::SpinEdit8 && RadioButton2() && DistanceFor(v) == 0) {
            ++expected_camera_faults;
            if (Read(SpinField::SpinEdit3) == 0) ++expected_camera_zero_by_zero;
        }
        return v;
    }

    void Toggle(CheckField box) { SetChecked(box, !Checked(box)); }

    mutable long long expected_camera_faults = 0;
    mutable long long expected_camera_zero_by_zero = 0;
    // Reads of a typed value outside its field's range: only such values (or a
    // grown shape) can carry a point so far that its pixel leaves 64 bits.
    mutable long long out_of_range_reads = 0;
    long long handler_frames = 0;

private:
    void HandlerRuns(Handler) override { ++handler_frames; }
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
        panel.Attach(&scene);
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
