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

// A captioned box of radio items stacked in one column, with an item index.
// Click() fires whenever the selected item changes, by the user or by code,
// so restoring a default raises the same handler as a click.
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
    QList<QRadioButton*> items_;
};

}  // namespace kaleidra
