#pragma once

#include <QAbstractSpinBox>

namespace kaleidra {

// An integer spin field that behaves as the panel's fields always have: the
// value is whatever the text spells (or the minimum when it spells nothing),
// read without clamping, so a typed 15 in a -10..10 field is used as 15 until
// the field loses focus. Code and the step buttons clamp; leaving the field
// clamps an out-of-range value and rewrites it. Keys other than digits, "+",
// "-", the decimal separator and control characters (Enter excluded) are
// refused with a beep.
class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int MinValue() const { return minimum_; }
    int MaxValue() const { return maximum_; }

    // The text's integer, or the minimum when the text does not parse.
    int Value() const;
    // Clamps to the range and rewrites the text.
    void SetValue(int value);
    // Replaces the text as typing or pasting would, without clamping.
    void SetText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    // The text changed, by typing, stepping or code.
    void Change();
    // A key was refused (the field has beeped).
    void KeyRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    StepEnabled stepEnabled() const override;

private:
    bool Accepts(const QKeyEvent& event) const;
    int Clamped(long long value) const;

    int minimum_ = 0;
    int maximum_ = 0;
};

}  // namespace kaleidra
