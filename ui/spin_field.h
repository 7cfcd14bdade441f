#pragma once

#include <QAbstractSpinBox>

#include <functional>

#include "core/control_panel.h"
#include "core/request_gate.h"

namespace kaleidra {

// A spin field of the panel: it shows one field of the ControlPanel and hands
// the panel what the user does with it (typing, stepping, leaving), where
// the rules live. What only a widget can do stays here: keys other than
// digits, "+", "-", the decimal separator and control characters (Enter
// excluded) are refused with a beep, and the caret and focus are its own.
// What it hands the panel goes through the gate, when it has one.
class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    // What assistive technology reads and sets through the value interface:
    // a double, so that no value wraps on its way in.
    Q_PROPERTY(double value READ Value WRITE WriteValue NOTIFY Change)
    Q_PROPERTY(int minimum READ MinValue CONSTANT)
    Q_PROPERTY(int maximum READ MaxValue CONSTANT)
    Q_PROPERTY(int stepSize READ StepSize CONSTANT)

public:
    TSpinEdit(ControlPanel& panel, SpinField field, QWidget* parent = nullptr,
              RequestGate* gate = nullptr);

    int MinValue() const { return RangeOf(field_).minimum; }
    int MaxValue() const { return RangeOf(field_).maximum; }
    static int StepSize() { return 1; }

    // The text's integer, or the minimum when the text does not parse.
    int Value() const { return panel_.Value(field_); }
    // From code: clamped to the range, the text rewritten.
    void SetValue(int value);
    // Replaces the text as typing or pasting would, without clamping.
    void SetText(const QString& text);
    // A value written from outside (assistive technology), guarded as typing
    // is: refused while the field is disabled, clamped at any magnitude, and
    // NaN changes nothing.
    void WriteValue(double value);
    // Shows the panel's text and enabled state for this field.
    void ShowPanel();

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    // The text shown changed, by typing, stepping or code.
    void Change();
    // A key was refused (the field has beeped).
    void KeyRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    StepEnabled stepEnabled() const override;

private:
    bool Accepts(const QKeyEvent& event) const;
    void AnnounceValue();
    void Hand(std::function<void()> request);

    ControlPanel& panel_;
    SpinField field_;
    RequestGate* gate_;
};

}  // namespace kaleidra
