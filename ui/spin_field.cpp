#include "ui/spin_field.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace kaleidra {

TSpinEdit::TSpinEdit(ControlPanel& panel, SpinField field, QWidget* parent, RequestGate* gate)
    : QAbstractSpinBox(parent), panel_(panel), field_(field), gate_(gate) {
    // Every keystroke is kept as typed; nothing is corrected behind the user's back.
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    // The arrows follow the value at once, however the text changed; the
    // toolkit would redraw them only when the mouse passes.
    connect(lineEdit(), &QLineEdit::textChanged, this, qOverload<>(&QWidget::update));
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::Change);
    // Whatever puts text here that the panel does not hold yet (typing,
    // pasting, undo, assistive technology writing the text) goes to the panel,
    // which keeps it; the panel's own text shown here goes nowhere.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.toStdString() == panel_.Text(field_)) return;
        Hand([this, text] {
            SetText(text);
            AnnounceValue();
        });
    });
    ShowPanel();
}

void TSpinEdit::Hand(std::function<void()> request) {
    if (gate_) {
        gate_->Hand(std::move(request));
    } else {
        request();
    }
}

void TSpinEdit::WriteValue(double value) {
    if (std::isnan(value)) return;
    const double clamped = std::clamp(value, double(MinValue()), double(MaxValue()));
    Hand([this, clamped] {
        if (panel_.Enabled(field_)) SetValue(static_cast<int>(std::lround(clamped)));
    });
}

void TSpinEdit::SetValue(int value) {
    panel_.SetValue(field_, value);
    ShowPanel();
}

void TSpinEdit::SetText(const QString& text) {
    panel_.Type(field_, text.toStdString());
    ShowPanel();  // a disabled field takes nothing: its text stays
}

void TSpinEdit::ShowPanel() {
    const QString text = QString::fromStdString(panel_.Text(field_));
    if (lineEdit()->text() != text) {
        lineEdit()->setText(text);
        AnnounceValue();
    }
    setEnabled(panel_.Enabled(field_));
}

// Typed text never passes through setText above, so both paths announce.
void TSpinEdit::AnnounceValue() {
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent event(this, Value());
    QAccessible::updateAccessibility(&event);
}

void TSpinEdit::stepBy(int steps) {
    Hand([this, steps] {
        panel_.Step(field_, steps);
        ShowPanel();
        selectAll();
    });
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    StepEnabled enabled = StepNone;
    const int value = Value();
    if (value < MaxValue()) enabled |= StepUpEnabled;
    if (value > MinValue()) enabled |= StepDownEnabled;
    return enabled;
}

// Typing is filtered key by key; whatever reaches the text (pasted letters
// included) stays there and simply reads as the minimum.
QValidator::State TSpinEdit::validate(QString& /*input*/, int& /*pos*/) const {
    return QValidator::Acceptable;
}

void TSpinEdit::fixup(QString& /*input*/) const {}

bool TSpinEdit::Accepts(const QKeyEvent& event) const {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return false;
    // Ctrl combinations type control characters (Ctrl+V is 0x16), whatever
    // text the platform puts in the event.
    if (event.modifiers() & Qt::ControlModifier) return true;
    const QString typed = event.text();
    if (typed.isEmpty()) return true;  // arrows, Home, End and the like
    const QChar c = typed.at(0);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return true;
    if (c == QLatin1Char('+') || c == QLatin1Char('-')) return true;
    if (QLocale().decimalPoint() == QString(c)) return true;
    return c.unicode() < 0x20 || c.unicode() == 0x7F;  // control characters: Backspace, Ctrl+V ...
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (!Accepts(*event)) {
        event->accept();
        QApplication::beep();
        emit KeyRefused();
        return;
    }
    // The steps by key are taken here: the toolkit's own handling announces
    // a value of its own besides the one the field announces.
    const std::pair<int, int> keys[] = {
        {Qt::Key_Up, 1}, {Qt::Key_Down, -1}, {Qt::Key_PageUp, 10}, {Qt::Key_PageDown, -10}};
    for (const auto& [key, steps] : keys) {
        if (event->key() == key && (event->modifiers() & ~Qt::KeypadModifier) == 0) {
            event->accept();
            stepBy(steps);
            return;
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    Hand([this] {
        panel_.Leave(field_);
        ShowPanel();
    });
}

}  // namespace kaleidra
