#include "tag_list_box.h"

#include <QKeyEvent>

TagListBox::TagListBox(QWidget* parent)
    : QListWidget(parent) {
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT TagClicked(item->data(Qt::UserRole).toInt()); });
}

void TagListBox::AddItem(const QString& text, int tag) {
    auto* item = new QListWidgetItem(text, this);
    item->setData(Qt::UserRole, tag);
    item->setSizeHint(QSize(0, kItemHeight));
}

int TagListBox::TagAt(int row) const {
    const QListWidgetItem* i = item(row);
    return i ? i->data(Qt::UserRole).toInt() : -1;
}

int TagListBox::RowOfTag(int tag) const {
    for (int r = 0; r < count(); ++r)
        if (TagAt(r) == tag) return r;
    return -1;
}

void TagListBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentItem()) {
        Q_EMIT TagClicked(currentItem()->data(Qt::UserRole).toInt());
        return;
    }
    QListWidget::keyPressEvent(event);
}
