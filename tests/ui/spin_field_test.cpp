#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "ui/spin_field.h"

namespace kaleidra {
namespace {

// A window with a -10..10 field (value 2) of a panel of its own, and a
// second control to move to.
class SpinFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        field = new TSpinEdit(panel, SpinField::SpinEdit1, &window);
        field->SetValue(2);
        other = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        field->selectAll();
    }

    void Type(const QString& keys) { QTest::keyClicks(field, keys); }
    void LeaveField() {
        other->setFocus();
        QApplication::processEvents();
    }

    ControlPanel panel;
    QWidget window;
    TSpinEdit* field = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(SpinFieldTest, TypedValuesOutsideTheRangeAreUsedUntilFocusLeaves) {
    Type(QStringLiteral("15"));
    EXPECT_EQ(field->text(), QStringLiteral("15"));
    EXPECT_EQ(field->Value(), 15) << "reading never clamps";
    LeaveField();
    EXPECT_EQ(field->text(), QStringLiteral("10"));
    EXPECT_EQ(field->Value(), 10);
}

TEST_F(SpinFieldTest, UnparsableTextReadsAsTheMinimumAndStaysAsTyped) {
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), QString());
    EXPECT_EQ(field->Value(), -10);
    Type(QStringLiteral("-"));
    EXPECT_EQ(field->Value(), -10);
    LeaveField();
    EXPECT_EQ(field->text(), QStringLiteral("-"))
        << "the minimum is in range, so nothing is rewritten";
}

TEST_F(SpinFieldTest, CodeClampsAndRewritesTheText) {
    QSignalSpy changes(field, &TSpinEdit::Change);
    field->SetValue(99);
    EXPECT_EQ(field->text(), QStringLiteral("10"));
    field->SetValue(-99);
    EXPECT_EQ(field->text(), QStringLiteral("-10"));
    field->SetValue(-10);  // same text: no change to report
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(SpinFieldTest, ArrowKeysAndButtonsStepByOneAndClamp) {
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(field->Value(), 3);
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(field->Value(), 1);
    field->SetValue(10);
    field->stepBy(1);
    EXPECT_EQ(field->Value(), 10);
    field->SetText(QStringLiteral("15"));
    field->stepBy(-1);
    EXPECT_EQ(field->text(), QStringLiteral("10")) << "15 - 1, clamped";
}

TEST_F(SpinFieldTest, RefusesLettersAndEnterWithABeepAndAcceptsTheRest) {
    QSignalSpy refused(field, &TSpinEdit::KeyRefused);
    Type(QStringLiteral("a"));
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(field->text(), QStringLiteral("2")) << "the selection was not replaced";
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    EXPECT_EQ(refused.count(), 3);
    Type(QStringLiteral("-1+2") + QLocale().decimalPoint() + QStringLiteral("5"));
    EXPECT_EQ(refused.count(), 3);
    EXPECT_EQ(field->Value(), -10) << "accepted keys, but not a number";
    Type(QStringLiteral("x e"));
    EXPECT_EQ(refused.count(), 6);
}

TEST_F(SpinFieldTest, PastedLettersStayAndReadAsTheMinimum) {
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    if (QApplication::clipboard()->text() != QStringLiteral("abc")) {
        GTEST_SKIP() << "no clipboard on this platform";
    }
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("abc"));
    EXPECT_EQ(field->Value(), -10);
    LeaveField();
    EXPECT_EQ(field->text(), QStringLiteral("abc"));
}

}  // namespace
}  // namespace kaleidra
