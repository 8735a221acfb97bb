#pragma once

#include <QListWidget>

// A list box whose items carry an integer tag beside their text. A click on an item (or Enter
// on the current one) reports the item's tag, so handlers switch on tags, not positions.
class TagListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TagListBox(QWidget* parent = nullptr);

    void AddItem(const QString& text, int tag);
    int TagAt(int row) const;
    // The row of the first item with that tag, or -1.
    int RowOfTag(int tag) const;

    static constexpr int kItemHeight = 20;

Q_SIGNALS:
    void TagClicked(int tag);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
