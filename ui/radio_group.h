#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QList>
#include <QRadioButton>
#include <QStringList>

namespace kaleidra {

// Tab into a set of exclusive radio items lands on the checked one: only it
// takes the tab focus. The toolkit moves the tab focus only when an item
// receives the focus, so a check set by code would leave it on the item the
// user last clicked.
void GiveTabFocusToChecked(const QList<QRadioButton*>& items);

// A plain holder for radio items inside a group box, covering the box. The
// toolkit tells a screen reader that a group box labels every control right
// inside it, and for a radio item the reader then speaks the group's name a
// second time after the group itself.
QWidget* RadioHolder(QGroupBox* box);

// A captioned box of radio items stacked in one column, with an item index.
// Click() fires whenever the selected item changes.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    explicit RadioGroup(QWidget* parent);

    void SetItems(const QStringList& items);
    QStringList Items() const;
    // -1 while no item is selected.
    int ItemIndex() const { return buttons_.checkedId(); }
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ArrangeItems();

    QButtonGroup buttons_;
    QWidget* holder_;
    QList<QRadioButton*> items_;
};

}  // namespace kaleidra
