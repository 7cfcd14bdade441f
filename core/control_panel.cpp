#include "core/control_panel.h"

#include <algorithm>

#include "core/spin_text.h"

namespace kaleidra {

namespace {

// Every field, in the order in which the defaults come back.
constexpr SpinField kDefaultOrder[] = {
    SpinField::SpinEdit1, SpinField::SpinEdit6, SpinField::SpinEdit7,
    SpinField::SpinEdit2, SpinField::SpinEdit5, SpinField::SpinEdit3,
    SpinField::SpinEdit4, SpinField::SpinEdit8, SpinField::SpinEdit9};

constexpr CheckField kChecks[] = {CheckField::CheckBox1, CheckField::CheckBox2,
                                  CheckField::CheckBox3};

}  // namespace

ControlPanel::ControlPanel() {
    for (SpinField field : kDefaultOrder)
        text_[Index(field)] = std::to_string(RangeOf(field).standard);
    text_[Index(SpinField::SpinEdit2)] = std::to_string(kSpinEdit2DesignValue);
    enabled_.fill(true);
    for (CheckField box : kChecks)
        check_[Index(box)] = DefaultChecked(box);
}

int ControlPanel::Value(SpinField field) const {
    return ReadSpinText(Text(field), RangeOf(field).minimum);
}

void ControlPanel::Standardwerte() {
    SelectBackground(kDefaultBackground);
    SelectEffect(kDefaultEffect);
    ChooseDirekt(false);
    for (SpinField field : kDefaultOrder)
        SetValue(field, RangeOf(field).standard);
    for (CheckField box : kChecks)
        SetChecked(box, DefaultChecked(box));
}

void ControlPanel::Type(SpinField field, std::string_view text) {
    if (!Enabled(field)) return;
    SetText(field, std::string(text));
}

void ControlPanel::SetValue(SpinField field, long long value) {
    const SpinRange r = RangeOf(field);
    SetText(field, std::to_string(std::clamp<long long>(value, r.minimum, r.maximum)));
}

void ControlPanel::Step(SpinField field, int steps) {
    if (!Enabled(field)) return;
    SetValue(field, static_cast<long long>(Value(field)) + steps);
}

void ControlPanel::Leave(SpinField field) {
    const int value = Value(field);
    if (value < RangeOf(field).minimum || value > RangeOf(field).maximum) SetValue(field, value);
}

void ControlPanel::SetChecked(CheckField box, bool on) {
    if (check_[Index(box)] == on) return;
    check_[Index(box)] = on;
    Changed();
}

void ControlPanel::SelectBackground(int index) {
    if (index < 0 || index > 1) index = -1;  // "schwarz", "weiss"
    if (index == background_) return;
    background_ = index;
    Changed();
    if (index >= 0) RadioGroup1Click();
}

void ControlPanel::SelectEffect(int index) {
    if (index < 0 || index >= kEffectCount) index = -1;
    if (index == effect_) return;
    effect_ = index;
    Changed();
    if (index >= 0) RadioGroup2Click();
}

void ControlPanel::ChooseDirekt(bool direkt) {
    if (direkt == direkt_) return;
    direkt_ = direkt;
    Changed();
}

// A text that changes raises the field's change handler, whoever changed it.
void ControlPanel::SetText(SpinField field, std::string text) {
    std::string& current = text_[Index(field)];
    if (current == text) return;
    current = std::move(text);
    Changed();
    if (field == SpinField::SpinEdit3) SpinEdit3Change();
    if (field == SpinField::SpinEdit4) SpinEdit4Change();
}

void ControlPanel::Changed() {
    if (observer_) observer_->PanelChanged();
}

void ControlPanel::RadioGroup2Click() {
    const bool pulfrich = effect_ == kEffectPulfrich;
    if (pulfrich) SetValue(SpinField::SpinEdit9, 0);
    enabled_[Index(SpinField::SpinEdit3)] = !pulfrich;
    enabled_[Index(SpinField::SpinEdit9)] = !pulfrich;
    Changed();
    RunFrame();
}

void ControlPanel::RunFrame() {
    if (frames_ != nullptr) frames_->Modell_Ausgabe();
}

}  // namespace kaleidra
