// Long unattended runs of the frame cycle: hundreds of thousands of ticks with
// a user who clicks, types nonsense and resizes the window, and with faults
// forced in on purpose. Every fault must end in exactly one recovery that
// leaves the program as after start-up, and nothing may ever go non-finite.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "support/fakes.h"

namespace kaleidra::soak {
namespace {

using testing::AllFinite;
using testing::Recovered;

SpinField FieldAt(int index) {
    return static_cast<SpinField>(index);
}

double LargestCoordinate(const PointSet& set) {
    double largest = 0.0;
    for (int k = 1; k <= kPointCount; ++k) {
        for (double c : {set[k].x, set[k].y, set[k].z})
            largest = std::max(largest, std::fabs(c));
    }
    return largest;
}

// The panel, toolkit and a seeded stream wired to a scene as the window wires
// them. Each error box is told apart by what the program was doing when it
// came: building a grown shape 13, or setting up a "direkt" camera at
// distance 0 (a division it could not make); anything else is some other fault.
struct SoakRig : testing::BasicRig<testing::SeededRandom>, private PanelObserver {
    explicit SoakRig(std::uint64_t seed) : BasicRig(seed) {
        panel.Observe(this);
        toolkit.on_error_box = [this] {
            if (scene.NewShape && scene.ShapeNo == 13) {
                ++grow_faults;
            } else if (panel.RadioButton2() && scene.CameraDistance == 0.0) {
                ++camera_faults;
                if (scene.EyeOffset == 0.0) ++camera_zero_by_zero;
            }
        };
    }
    long long OtherFaults() const { return toolkit.error_boxes - grow_faults - camera_faults; }
    // Starts a step: wild only if a field is out of range now.
    void LookAtFields() {
        wild = false;
        PanelChanged();
    }

    long long grow_faults = 0;
    long long camera_faults = 0;
    long long camera_zero_by_zero = 0;
    // Whether a field has held a text outside its range since this was last cleared.
    bool wild = false;

private:
    void PanelChanged() override {
        for (int f = 0; f < kSpinFieldCount; ++f) {
            const SpinRange r = RangeOf(FieldAt(f));
            const int v = panel.Value(FieldAt(f));
            wild = wild || v < r.minimum || v > r.maximum;
        }
    }
};

constexpr std::uint64_t kDefaultSeed = 20240817;
constexpr long long kDefaultTicks = 200000;

std::uint64_t SeedFromEnvironment() {
    const char* text = std::getenv("KALEIDRA_SOAK_SEED");
    return text && *text ? std::strtoull(text, nullptr, 10) : kDefaultSeed;
}

long long TicksFromEnvironment() {
    const char* text = std::getenv("KALEIDRA_SOAK_TICKS");
    return text && *text ? std::strtoll(text, nullptr, 10) : kDefaultTicks;
}

// The faults the run forces in, in turn.
enum class Fault { CameraDivision, CameraZeroByZero, CameraWrapped, GrowOverflow };
constexpr int kFaultKinds = 4;
// The camera position whose distance 10 * p + 130 wraps to exactly 0 in 32
// bits: 10 p = -130 (mod 2^32), so p = -13 (mod 2^31).
constexpr long long kPositionWrappingToZero = (1LL << 31) - 13;
constexpr long long kTicksBetweenFaults = 5000;
// A grow that has not overflowed by then has been undone by something else.
constexpr long long kGrowEpisodeLimit = 6000;
// Fresh shapes lie within -80..80; the cloud after a few grows well within this.
constexpr double kOrdinarySize = 1000.0;

class SoakRun {
public:
    explicit SoakRun(std::uint64_t seed) : rig_(seed * 2 + 1), user_(seed) {
        rig_.scene.Image1.Resize(width_, height_);
        rig_.toolkit.on_process_messages = [this] { WhileProcessingMessages(); };
        rig_.scene.StartUp();
    }

    // Runs until `ticks` ticks have reached Timer1Timer; returns the first
    // broken invariant, or "" when none broke.
    std::string Run(long long ticks) {
        while (ticks_ < ticks) {
            ++iterations_;
            ScheduleFaults();
            if (Chance(4)) {
                StepStart();
                Act();
                if (std::string v = Violation("after a panel action"); !v.empty()) return v;
            }
            if (Chance(300)) Resize();
            if (rig_.toolkit.timer_enabled) {
                if (growing_) PokeShape13();
                StepStart();
                rig_.scene.Timer1Timer();
                ++ticks_;
                if (std::string v = Violation("after a tick"); !v.empty()) return v;
            } else if (Chance(8)) {
                rig_.scene.StartButtonClick();  // the user starts it again
            }
        }
        return "";
    }

    std::string Report() const {
        std::ostringstream out;
        out << "ticks " << ticks_ << " (nested " << nested_ticks_ << "), frames "
            << rig_.toolkit.process_calls << ", handler frames " << rig_.panel.handler_frames
            << ", panel actions " << actions_ << " (nested " << nested_actions_ << "), resizes "
            << resizes_ << "\nfaults injected " << injected_ << ", error boxes "
            << rig_.toolkit.error_boxes << " = camera " << rig_.camera_faults
            << " (0/0: " << rig_.camera_zero_by_zero << ") + grow overflow " << rig_.grow_faults
            << " + others " << rig_.OtherFaults() << ", recoveries checked " << recoveries_checked_;
        return out.str();
    }

    const SoakRig& Rig() const { return rig_; }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(user_); }
    bool Chance(int one_in) { return Pick(one_in) == 0; }
    SpinField AnyField() { return FieldAt(Pick(kSpinFieldCount)); }

    // What a user types or pastes: in range, anywhere in 32 bits, the edges,
    // and texts that spell no integer at all.
    std::string TypedText(SpinField field) {
        const SpinRange r = RangeOf(field);
        static const char* const kUnparsable[] = {
            "",    "-",          "+",           "abc",
            "1e9", "2147483648", "-2147483649", "1.5",
            "7 ",  "--3",        "0x1F",        "99999999999999999999"};
        static const char* const kOddButValid[] = {"-0", "+5", "007", "  3", "\t-2"};
        const int p = Pick(10);
        if (p < 4) return std::to_string(r.minimum + Pick(r.maximum - r.minimum + 1));
        if (p < 6)
            return std::to_string(std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(user_));
        if (p == 6) {
            const long long edges[] = {INT_MIN, INT_MAX, r.minimum - 1, r.maximum + 1, 0, -13};
            return std::to_string(edges[Pick(6)]);
        }
        if (p < 9) return kUnparsable[Pick(sizeof kUnparsable / sizeof *kUnparsable)];
        return kOddButValid[Pick(sizeof kOddButValid / sizeof *kOddButValid)];
    }

    void Act() {
        ++actions_;
        testing::RecordingPanel& panel = rig_.panel;
        const int p = Pick(40);  // each action's share of 40
        if (p < 2) panel.SelectBackground(Pick(2));
        if (p == 2) panel.SelectBackground(-1);  // as code can leave it, no handler
        if (p >= 3 && p < 7) panel.SelectEffect(Pick(kEffectCount));
        if (p == 7) panel.SelectEffect(-1);
        if (p >= 8 && p < 11) panel.ChooseDirekt(Chance(2));
        if (p >= 11 && p < 15) panel.Leave(AnyField());
        if (p >= 15 && p < 18) panel.Step(AnyField(), Chance(2) ? 1 : -1);
        if (p >= 18 && p < 20) panel.Toggle(static_cast<CheckField>(Pick(kCheckBoxCount)));
        if (p == 20) rig_.scene.Standardwerte();  // "Standard"
        if (p == 21 && Chance(10)) rig_.scene.StartButtonClick();
        if (p >= 22) {
            const SpinField field = AnyField();
            panel.Type(field, TypedText(field));
        }
    }

    // Step 7 of a frame: the user's click lands here, or a tick that must skip
    // its frame. Quiet once a recovery has started, so that what it leaves can
    // be checked as it left it.
    void WhileProcessingMessages() {
        if (depth_ >= 3 || rig_.toolkit.error_boxes != boxes_at_step_start_) return;
        ++depth_;
        const int what = Pick(24);
        if (what == 0) {
            ++nested_actions_;
            Act();
        } else if (what <= 2 && rig_.toolkit.timer_enabled) {
            ++nested_ticks_;
            rig_.scene.Timer1Timer();
        }
        --depth_;
    }

    void Resize() {
        ++resizes_;
        // Nothing, next to nothing, or small, to keep a frame cheap under the sanitizers.
        const int p = Pick(5);
        width_ = p == 0 ? 0 : Pick(p == 1 ? 3 : 33);
        height_ = p == 0 ? 0 : Pick(p == 1 ? 3 : 21);
        rig_.scene.Image1.Resize(width_, height_);
    }

    void ScheduleFaults() {
        if (growing_) {
            const bool overflowed = rig_.grow_faults != grow_faults_at_start_;
            if (overflowed || ticks_ - grow_started_ > kGrowEpisodeLimit) {
                growing_ = false;
            }
        }
        if (ticks_ < next_fault_tick_) return;
        next_fault_tick_ += kTicksBetweenFaults;
        ++injected_;
        testing::RecordingPanel& panel = rig_.panel;
        const auto kind = static_cast<Fault>(next_kind_++ % kFaultKinds);
        if (kind == Fault::GrowOverflow) {
            growing_ = true;
            grow_started_ = ticks_;
            grow_faults_at_start_ = rig_.grow_faults;
            return;
        }
        StepStart();
        panel.SelectEffect(Pick(kEffectChroma));  // a colour pair: "Basis" stays enabled
        panel.ChooseDirekt(true);
        panel.Type(SpinField::SpinEdit3, kind == Fault::CameraZeroByZero ? "0" : "7");
        panel.Type(SpinField::SpinEdit8,
                   kind == Fault::CameraWrapped ? std::to_string(kPositionWrappingToZero) : "-13");
    }

    // Shape 13 due on every frame until the coordinates overflow; the change
    // speed held at 0 so that the tick brings in no other shape.
    void PokeShape13() {
        rig_.panel.Type(SpinField::SpinEdit2, "0");
        rig_.scene.ShapeNo = 13;
        rig_.scene.NewShape = true;
        rig_.scene.SwitchCounter = 0;
    }

    // Within the fields' ranges and with shapes of their ordinary size, the
    // forced faults are the only ones there can be. Outside them a projected
    // pixel can also leave the 64-bit range, which is a fault of its own.
    void StepStart() {
        boxes_at_step_start_ = rig_.toolkit.error_boxes;
        rig_.LookAtFields();
        const Scene& s = rig_.scene;
        ordinary_at_step_start_ = !growing_ && LargestCoordinate(s.ShapeSet) < kOrdinarySize &&
                                  LargestCoordinate(s.MorphSet) < kOrdinarySize;
    }

    std::string Violation(const char* where) {
        std::ostringstream out;
        const Scene& s = rig_.scene;
        const long long boxes = rig_.toolkit.error_boxes;
        const long long others = rig_.OtherFaults();
        if (others > others_seen_ && ordinary_at_step_start_ && !rig_.wild) {
            out << "a fault with every setting in range and ordinary shapes";
        } else if (boxes != boxes_seen_ && !Recovered(rig_)) {
            out << "a recovery did not restore the start state (shape " << s.ShapeNo << ", caption "
                << rig_.toolkit.caption << ", defaults " << testing::AtDefaults(rig_.panel) << ")";
        } else if (!AllFinite(s.MorphSet) || !AllFinite(s.ShapeSet) || !AllFinite(s.View1Set) ||
                   !AllFinite(s.View2Set)) {
            out << "a point set holds a non-finite value";
        } else if (s.Image1.Width() != width_ || s.Image1.Height() != height_) {
            out << "the raster changed its size to " << s.Image1.Width() << " x "
                << s.Image1.Height();
        } else if (s.Busy) {
            out << "Busy is still set";
        } else if (rig_.toolkit.timer_enabled != (rig_.toolkit.caption == "STOP")) {
            out << "caption " << rig_.toolkit.caption << " does not match the timer";
        } else if (s.AngleX < -359 || s.AngleX > 359 || s.AngleY < -359 || s.AngleY > 359 ||
                   s.AngleZ < -359 || s.AngleZ > 359) {
            out << "an angle left -359..359";
        }
        if (boxes != boxes_seen_) recoveries_checked_ += boxes - boxes_seen_;
        boxes_seen_ = boxes;
        others_seen_ = others;
        if (out.tellp() == 0) return "";
        out << " " << where << " at tick " << ticks_ << ", iteration " << iterations_;
        return out.str();
    }

    SoakRig rig_;
    std::mt19937_64 user_;
    int width_ = 32;
    int height_ = 20;
    // What the run has done, for the report.
    long long ticks_ = 0, iterations_ = 0, nested_ticks_ = 0, actions_ = 0, nested_actions_ = 0;
    long long resizes_ = 0, injected_ = 0, recoveries_checked_ = 0;
    // Where the current step started, and the boxes seen until then.
    long long boxes_seen_ = 0, boxes_at_step_start_ = 0, others_seen_ = 0;
    bool ordinary_at_step_start_ = true;
    // The faults still to force, and the grow under way.
    long long next_fault_tick_ = kTicksBetweenFaults / 2;
    int next_kind_ = 0;
    bool growing_ = false;
    long long grow_started_ = 0, grow_faults_at_start_ = 0;
    int depth_ = 0;
};

TEST(Soak, TwoHundredThousandTicksEveryFaultRecoversOnce) {
    const std::uint64_t seed = SeedFromEnvironment();
    const long long ticks = TicksFromEnvironment();
    std::printf("soak seed %llu (set KALEIDRA_SOAK_SEED to repeat), %lld ticks\n",
                static_cast<unsigned long long>(seed), ticks);
    const auto start = std::chrono::steady_clock::now();
    SoakRun run(seed);
    const std::string violation = run.Run(ticks);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s\n%.1f s\n", run.Report().c_str(), seconds);
    ASSERT_EQ(violation, "") << "seed " << seed;

    // The run must really have gone through each kind of fault, not only survived.
    const SoakRig& rig = run.Rig();
    if (ticks >= kDefaultTicks) {
        EXPECT_GE(rig.camera_faults, 20);
        EXPECT_GE(rig.camera_zero_by_zero, 5);
        EXPECT_GE(rig.grow_faults, 5);
    }
}

// The nestings the soak meets by chance, each once on purpose.
class RecoveryNesting : public ::testing::Test {
protected:
    RecoveryNesting() : rig(7) {
        rig.scene.Image1.Resize(64, 40);
        rig.scene.StartUp();
        rig.scene.Timer1Timer();  // leaves a camera distance of 130
    }
    SoakRig rig;
};

TEST_F(RecoveryNesting, OverflowingGrowFailsAgainInTheRecoverysBackgroundFrame) {
    // The recovery clears NewShape only after the defaults: the frame that the
    // background change runs builds shape 13 once more and overflows again.
    rig.panel.SelectBackground(1);
    for (int k = 1; k <= kPointCount; ++k)
        rig.scene.ShapeSet[k] = {1.7e308, -1.7e308, 3.0};
    rig.scene.ShapeNo = 13;
    rig.scene.NewShape = true;
    rig.scene.Modell_Ausgabe();
    EXPECT_EQ(rig.toolkit.error_boxes, 2);
    EXPECT_EQ(rig.grow_faults, 2);
    EXPECT_TRUE(Recovered(rig));
}

TEST_F(RecoveryNesting, CameraFaultIsNotRepeatedByTheRecoverysOwnFrames) {
    // The recovery's background frame finds the distance 0 and restores the
    // settings before it reads the position again.
    rig.panel.SelectBackground(1);
    rig.panel.ChooseDirekt(true);
    rig.panel.Type(SpinField::SpinEdit8, "-13");
    rig.scene.Timer1Timer();
    EXPECT_EQ(rig.toolkit.error_boxes, 1);
    EXPECT_TRUE(Recovered(rig));
    rig.scene.Timer1Timer();
    EXPECT_EQ(rig.toolkit.error_boxes, 1);
    EXPECT_EQ(rig.scene.CameraDistance, 130.0);
}

TEST_F(RecoveryNesting, ParallelDistanceZeroRestoresTheDefaultsWithoutABox) {
    rig.panel.Type(SpinField::SpinEdit8, "-13");
    rig.panel.Type(SpinField::SpinEdit1, "9");
    rig.scene.Timer1Timer();
    EXPECT_EQ(rig.scene.CameraDistance, 0.0);
    const PointSet morph = rig.scene.MorphSet;
    rig.scene.Timer1Timer();
    EXPECT_EQ(rig.toolkit.error_boxes, 0);
    EXPECT_TRUE(testing::AtDefaults(rig.panel));
    EXPECT_EQ(rig.scene.CameraDistance, 130.0);
    EXPECT_NE(rig.scene.MorphSet, morph) << "no recovery: the cloud goes on morphing";
}

}  // namespace
}  // namespace kaleidra::soak
