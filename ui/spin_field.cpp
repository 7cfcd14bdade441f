#include "ui/spin_field.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>

#include "core/spin_text.h"

namespace kaleidra {

TSpinEdit::TSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    // Every keystroke is kept as typed; nothing is corrected behind the user's back.
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    lineEdit()->setText(QStringLiteral("0"));
    // The arrows follow the value at once, however the text changed; the
    // toolkit would redraw them only when the mouse passes.
    connect(lineEdit(), &QLineEdit::textChanged, this, qOverload<>(&QWidget::update));
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::Change);
}

void TSpinEdit::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

int TSpinEdit::Value() const {
    return ReadSpinText(text().toStdString(), minimum_);
}

void TSpinEdit::SetValue(int value) {
    const QString text = QString::number(Clamped(value));
    if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void TSpinEdit::SetText(const QString& text) {
    lineEdit()->setText(text);
}

int TSpinEdit::Clamped(long long value) const {
    return static_cast<int>(std::clamp<long long>(value, minimum_, maximum_));
}

void TSpinEdit::stepBy(int steps) {
    SetValue(Clamped(static_cast<long long>(Value()) + steps));
    selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    StepEnabled enabled = StepNone;
    const int value = Value();
    if (value < maximum_) enabled |= StepUpEnabled;
    if (value > minimum_) enabled |= StepDownEnabled;
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
    QAbstractSpinBox::keyPressEvent(event);
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    const int value = Value();
    if (Clamped(value) != value) SetValue(value);
}

}  // namespace kaleidra
