#include "ui/screen_reader_roles.h"

#include <QAccessibleWidget>
#include <QPushButton>

#include "ui/drawing_area.h"
#include "ui/main_window.h"

namespace kaleidra {

namespace {

class StartButtonRoles final : public QAccessibleWidget {
public:
    explicit StartButtonRoles(QPushButton* button)
        : QAccessibleWidget(button, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Button()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = Button()->text() == QLatin1String("STOP");
        return state;
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) Button()->click();
        if (name == setFocusAction()) Button()->setFocus(Qt::OtherFocusReason);
    }

private:
    QPushButton* Button() const { return static_cast<QPushButton*>(widget()); }
};

QAccessibleInterface* Roles(const QString&, QObject* object) {
    if (auto* area = qobject_cast<DrawingArea*>(object))
        return new QAccessibleWidget(area, QAccessible::Graphic);
    if (auto* form = qobject_cast<TForm1*>(object))
        return new QAccessibleWidget(form, QAccessible::Window);
    auto* button = qobject_cast<QPushButton*>(object);
    if (button && button->objectName() == QLatin1String("StartButton"))
        return new StartButtonRoles(button);
    return nullptr;
}

}  // namespace

void InstallScreenReaderRoles() {
    QAccessible::installFactory(Roles);
}

}  // namespace kaleidra
