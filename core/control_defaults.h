#pragma once

#include "core/control_panel.h"

namespace kaleidra {

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

// The background's colour for an item of the background group: white for
// "weiss", black for anything else (0xBBGGRR).
constexpr unsigned BackgroundColour(int item) {
    return item == 1 ? 0xFFFFFFu : 0x000000u;
}
constexpr int kDefaultEffect = 0;      // "Rot/Cyan"
constexpr int kEffectPulfrich = 7;
constexpr int kFirstDepthColourEffect = 6;  // "Chroma", "Pulfrich", "Grau" from here on

}  // namespace kaleidra
