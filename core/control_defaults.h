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
inline constexpr int kSpinFieldCount = 9;

enum class CheckField {
    CheckBox1,  // "Zufall Objekte": next shape at random
    CheckBox2,  // "Zufall Punkte": shuffle the points of each new shape
    CheckBox3,  // "dynam. Größe": point size follows depth
};
inline constexpr int kCheckBoxCount = 3;

// The items of the effect group, as RadioGroup2 numbers them: six colour
// pairs, then the three effects that draw one view coloured by depth.
enum Effect : int {
    kEffectRotCyan,
    kEffectRotBlau,
    kEffectRotGruen,
    kEffectMagentaGruen,
    kEffectGruenBlau,
    kEffectGelbBlau,
    kEffectChroma,
    kEffectPulfrich,
    kEffectGrau,
    kEffectCount
};

constexpr bool IsDepthColourEffect(int effect) {
    return effect >= kEffectChroma;
}

struct SpinRange {
    int minimum;
    int maximum;
    int standard;  // the value "Standard" restores
};

// Range and default of every spin field.
constexpr SpinRange RangeOf(SpinField field) {
    switch (field) {
        case SpinField::SpinEdit1:
            return {-10, 10, 2};
        case SpinField::SpinEdit2:
            return {0, 50, 6};
        case SpinField::SpinEdit3:
            return {-10, 10, 4};
        case SpinField::SpinEdit4:
            return {1, 10, 4};
        case SpinField::SpinEdit5:
            return {0, 10, 1};
        case SpinField::SpinEdit6:
        case SpinField::SpinEdit7:
        case SpinField::SpinEdit8:
            return {-10, 10, 0};
        case SpinField::SpinEdit9:
            return {-20, 20, 0};
    }
    return {0, 0, 0};
}

// The shape-change speed as the window is built, before "Standard" sets 6.
constexpr int kSpinEdit2DesignValue = 5;

constexpr bool DefaultChecked(CheckField box) {
    return box != CheckField::CheckBox2;
}

constexpr int kDefaultBackground = 0;  // "schwarz"
constexpr int kDefaultEffect = kEffectRotCyan;

// The background's colour for an item of the background group: white for
// "weiss", black for anything else (0xBBGGRR).
constexpr unsigned BackgroundColour(int item) {
    return item == 1 ? 0xFFFFFFu : 0x000000u;
}

}  // namespace kaleidra
