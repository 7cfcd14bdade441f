#pragma once

// The control panel without a toolkit: each spin field's text and enabled
// state, the check boxes, the radio choices, and the rules that change them.
// The handlers of the background, the effect, "Basis" and "Größe" run a
// frame; choosing "Pulfrich" zeroes "Ebene" and disables "Basis" and "Ebene".
// The scene reads the settings from it; the window shows it and hands it what
// the user does.

#include <array>
#include <string>
#include <string_view>

#include "core/control_defaults.h"

namespace kaleidra {

// What the handlers of the background, the effect, "Basis" and "Größe" run:
// one frame. The scene is one.
class FrameRunner {
public:
    virtual ~FrameRunner() = default;
    virtual void Modell_Ausgabe() = 0;
};

// Hears what the panel does: the window, to show it.
class PanelObserver {
public:
    virtual ~PanelObserver() = default;
    // Something the panel shows has changed: a text, an enabled state, a
    // check box or a selection.
    virtual void PanelChanged() = 0;
};

class ControlPanel {
public:
    // As designed, before the defaults: every field at its design value.
    ControlPanel();

    // What the handlers' frames run on; without it they run none.
    void Attach(FrameRunner* frames) { frames_ = frames; }
    void Observe(PanelObserver* observer) { observer_ = observer; }

    // ---- as the scene reads it, at the moment of use
    // The integer the field's text parses to, or the field's minimum when it
    // does not parse. Never clamped: a typed value outside the range is used
    // as typed until the field loses focus.
    int Value(SpinField field) const;
    bool Checked(CheckField box) const { return check_[Index(box)]; }
    // Item index of the background group (0 "schwarz", 1 "weiss"), -1 for none.
    int RadioGroup1() const { return background_; }
    // Item index of the effect group (0..8), -1 for none.
    int RadioGroup2() const { return effect_; }
    bool RadioButton1() const { return !direkt_; }  // "parallel"
    bool RadioButton2() const { return direkt_; }   // "direkt"
    // Every control back to its default, in the fixed order, raising the
    // handler of each control that changes (and with them their frames).
    void Standardwerte();

    // ---- as a view shows it
    const std::string& Text(SpinField field) const { return text_[Index(field)]; }
    bool Enabled(SpinField field) const { return enabled_[Index(field)]; }

    // ---- what the user or code does
    // Typing or pasting: the text is kept as typed. A disabled field takes nothing.
    void Type(SpinField field, std::string_view text);
    // From code: clamped to the range, the text rewritten.
    void SetValue(SpinField field, long long value);
    // The step buttons and arrow keys: `steps` added, clamped. Not on a disabled field.
    void Step(SpinField field, int steps);
    // The focus leaves the field: a value outside the range is clamped and rewritten.
    void Leave(SpinField field);
    void SetChecked(CheckField box, bool on);
    // An item chosen by a click or by code. An index that names no item
    // leaves none selected, and then no handler runs.
    void SelectBackground(int index);
    void SelectEffect(int index);
    // "direkt" or else "parallel"; no handler.
    void ChooseDirekt(bool direkt);

private:
    static constexpr std::size_t Index(SpinField field) { return static_cast<std::size_t>(field); }
    static constexpr std::size_t Index(CheckField box) { return static_cast<std::size_t>(box); }
    void SetText(SpinField field, std::string text);
    void Changed();
    // The handlers: each runs a frame; the effect's also applies the "Pulfrich" rule.
    void RadioGroup1Click() { RunFrame(); }
    void RadioGroup2Click();
    void SpinEdit3Change() { RunFrame(); }
    void SpinEdit4Change() { RunFrame(); }
    void RunFrame();

    std::array<std::string, kSpinFieldCount> text_;
    std::array<bool, kSpinFieldCount> enabled_{};
    std::array<bool, kCheckBoxCount> check_{};
    int background_ = kDefaultBackground;
    int effect_ = kDefaultEffect;
    bool direkt_ = false;

    FrameRunner* frames_ = nullptr;
    PanelObserver* observer_ = nullptr;
};

}  // namespace kaleidra
