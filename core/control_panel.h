#pragma once

namespace kaleidra {

// The panel's integer spin fields, by the names the whole program uses.
enum class SpinField {
    SpinEdit1,  // "Y": rotation speed about Y, degrees per tick
    SpinEdit2,  // "Wechsel": speed of shape change
    SpinEdit3,  // "Basis": stereo base
    SpinEdit4,  // "Größe": point size in pixels
    SpinEdit5,  // "Morph": morph step per frame
    SpinEdit6,  // "X": rotation speed about X
    SpinEdit7,  // "Z": rotation speed about Z
    SpinEdit8,  // "Position": camera position
    SpinEdit9,  // "Ebene": picture-plane shift in pixels
};

enum class CheckField {
    CheckBox1,  // "Zufall Objekte": next shape at random
    CheckBox2,  // "Zufall Punkte": shuffle the points of each new shape
    CheckBox3,  // "dynam. Größe": point size follows depth
};

// The settings as the core reads them, at the moment of use. The main window
// implements this over its controls; tests implement it over plain values.
class ControlPanel {
public:
    virtual ~ControlPanel() = default;

    // The integer the field's text parses to, or the field's minimum when it
    // does not parse. Never clamped: a typed value outside the range is used
    // as typed until the field loses focus.
    virtual int Value(SpinField field) const = 0;
    virtual bool Checked(CheckField box) const = 0;
    // Item index of the background group (0 "schwarz", 1 "weiss"), -1 for none.
    virtual int RadioGroup1() const = 0;
    // Item index of the effect group (0..8), -1 for none.
    virtual int RadioGroup2() const = 0;
    virtual bool RadioButton1() const = 0;  // "parallel"
    virtual bool RadioButton2() const = 0;  // "direkt"

    // Put every control back to its default, in the fixed order, raising the
    // change or click handler of each control that actually changes (and with
    // them the frames those handlers run).
    virtual void Standardwerte() = 0;
};

}  // namespace kaleidra
