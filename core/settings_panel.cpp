#include "core/settings_panel.h"

#include <algorithm>

#include "core/scene.h"
#include "core/spin_text.h"

namespace kaleidra {

namespace {

constexpr SpinField kFields[] = {SpinField::SpinEdit1, SpinField::SpinEdit2, SpinField::SpinEdit3,
                                 SpinField::SpinEdit4, SpinField::SpinEdit5, SpinField::SpinEdit6,
                                 SpinField::SpinEdit7, SpinField::SpinEdit8, SpinField::SpinEdit9};
constexpr CheckField kChecks[] = {CheckField::CheckBox1, CheckField::CheckBox2,
                                  CheckField::CheckBox3};

// The order in which the defaults come back.
constexpr SpinField kDefaultOrder[] = {
    SpinField::SpinEdit1, SpinField::SpinEdit6, SpinField::SpinEdit7,
    SpinField::SpinEdit2, SpinField::SpinEdit5, SpinField::SpinEdit3,
    SpinField::SpinEdit4, SpinField::SpinEdit8, SpinField::SpinEdit9};

constexpr int kBackgroundItems = 2;
constexpr int kEffectItems = 9;

bool InRange(SpinField field, long long value) {
    const SpinRange r = RangeOf(field);
    return value >= r.minimum && value <= r.maximum;
}

}  // namespace

SettingsPanel::SettingsPanel() {
    for (SpinField field : kFields)
        text_[Index(field)] = std::to_string(RangeOf(field).standard);
    text_[Index(SpinField::SpinEdit2)] = std::to_string(kSpinEdit2DesignValue);
    enabled_.fill(true);
    for (CheckField box : kChecks)
        check_[Index(box)] = DefaultChecked(box);
}

int SettingsPanel::Read(SpinField field) const {
    return ReadSpinText(Text(field), RangeOf(field).minimum);
}

void SettingsPanel::Standardwerte() {
    SelectBackground(kDefaultBackground);
    SelectEffect(kDefaultEffect);
    ChooseDirekt(false);
    for (SpinField field : kDefaultOrder)
        SetValue(field, RangeOf(field).standard);
    for (CheckField box : kChecks)
        SetChecked(box, DefaultChecked(box));
}

bool SettingsPanel::AtDefaults() const {
    for (SpinField field : kFields) {
        if (Text(field) != std::to_string(RangeOf(field).standard) || !Enabled(field))
            return false;
    }
    for (CheckField box : kChecks) {
        if (Checked(box) != DefaultChecked(box)) return false;
    }
    return background_ == kDefaultBackground && effect_ == kDefaultEffect && !direkt_;
}

void SettingsPanel::Type(SpinField field, std::string_view text) {
    if (!Enabled(field)) return;
    SetText(field, std::string(text));
}

void SettingsPanel::SetValue(SpinField field, long long value) {
    const SpinRange r = RangeOf(field);
    SetText(field, std::to_string(std::clamp<long long>(value, r.minimum, r.maximum)));
}

void SettingsPanel::Step(SpinField field, int steps) {
    if (!Enabled(field)) return;
    SetValue(field, static_cast<long long>(Read(field)) + steps);
}

void SettingsPanel::Leave(SpinField field) {
    const int value = Read(field);
    if (!InRange(field, value)) SetValue(field, value);
}

void SettingsPanel::SetChecked(CheckField box, bool on) {
    if (check_[Index(box)] == on) return;
    check_[Index(box)] = on;
    Changed();
}

void SettingsPanel::SelectBackground(int index) {
    if (index < 0 || index >= kBackgroundItems) index = -1;
    if (index == background_) return;
    background_ = index;
    Changed();
    if (index >= 0) RadioGroup1Click();
}

void SettingsPanel::SelectEffect(int index) {
    if (index < 0 || index >= kEffectItems) index = -1;
    if (index == effect_) return;
    effect_ = index;
    Changed();
    if (index >= 0) RadioGroup2Click();
}

void SettingsPanel::ChooseDirekt(bool direkt) {
    if (direkt == direkt_) return;
    direkt_ = direkt;
    Changed();
}

// A text that changes raises the field's change handler, whoever changed it.
void SettingsPanel::SetText(SpinField field, std::string text) {
    std::string& current = text_[Index(field)];
    if (current == text) return;
    current = std::move(text);
    Changed();
    if (field == SpinField::SpinEdit3) SpinEdit3Change();
    if (field == SpinField::SpinEdit4) SpinEdit4Change();
}

void SettingsPanel::Changed() {
    if (observer_) observer_->PanelChanged();
}

void SettingsPanel::RadioGroup1Click() {
    RunFrame(Handler::RadioGroup1Click);
}

void SettingsPanel::RadioGroup2Click() {
    const bool pulfrich = effect_ == kEffectPulfrich;
    if (pulfrich) SetValue(SpinField::SpinEdit9, 0);
    enabled_[Index(SpinField::SpinEdit3)] = !pulfrich;
    enabled_[Index(SpinField::SpinEdit9)] = !pulfrich;
    Changed();
    RunFrame(Handler::RadioGroup2Click);
}

void SettingsPanel::SpinEdit3Change() {
    RunFrame(Handler::SpinEdit3Change);
}

void SettingsPanel::SpinEdit4Change() {
    RunFrame(Handler::SpinEdit4Change);
}

void SettingsPanel::RunFrame(Handler handler) {
    if (observer_) observer_->HandlerRuns(handler);
    if (scene_ == nullptr) return;
    ++handler_frames_;
    scene_->Modell_Ausgabe();
    --handler_frames_;
}

}  // namespace kaleidra
