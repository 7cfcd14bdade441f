#include "ui/radio_group.h"

#include <QStyle>
#include <QStyleOptionGroupBox>

namespace kaleidra {

void GiveTabFocusToChecked(const QList<QRadioButton*>& items) {
    for (QRadioButton* item : items) {
        const Qt::FocusPolicy policy = item->focusPolicy();
        item->setFocusPolicy(item->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                               : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

QWidget* RadioHolder(QGroupBox* box) {
    auto* holder = new QWidget(box);
    holder->setGeometry(box->rect());
    holder->lower();
    return holder;
}

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), holder_(RadioHolder(this)) {
    buttons_.setExclusive(true);
    connect(&buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (!checked) return;
        GiveTabFocusToChecked(items_);
        emit Click();
    });
}

void RadioGroup::SetItems(const QStringList& items) {
    for (int i = 0; i < items.size(); ++i) {
        if (i < items_.size()) {
            items_[i]->setText(items[i]);
            continue;
        }
        auto* item = new QRadioButton(items[i], holder_);
        buttons_.addButton(item, i);
        items_.append(item);
        item->show();
    }
    ArrangeItems();
}

QStringList RadioGroup::Items() const {
    QStringList texts;
    for (const QRadioButton* item : items_)
        texts.append(item->text());
    return texts;
}

void RadioGroup::SetItemIndex(int index) {
    if (index == ItemIndex()) return;
    if (index < 0 || index >= items_.size()) {
        // Deselecting needs the group to let go of its exclusivity for a moment.
        buttons_.setExclusive(false);
        if (QAbstractButton* checked = buttons_.checkedButton()) checked->setChecked(false);
        buttons_.setExclusive(true);
        return;
    }
    items_[index]->setChecked(true);
}

QRadioButton* RadioGroup::Item(int index) const {
    return items_.value(index, nullptr);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    holder_->setGeometry(rect());
    ArrangeItems();
}

// The items share the box's inside evenly, leftover pixels split above and
// below, as a classic radio group lays them out.
void RadioGroup::ArrangeItems() {
    if (items_.isEmpty()) return;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect inside =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this);
    const int count = static_cast<int>(items_.size());
    const int room = inside.bottom() - inside.top() - 1;
    const int item_height = room / count;
    const int top = inside.top() + 1 + (room % count) / 2;
    for (int i = 0; i < count; ++i) {
        items_[i]->setGeometry(8, top + i * item_height, width() - 10, item_height);
    }
}

}  // namespace kaleidra
