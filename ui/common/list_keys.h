#pragma once

#include <QString>

#include <functional>

class QPushButton;
class QWidget;

// What the keys of a list page do; a null action leaves its keys doing nothing.
struct TListKeyActions {
    std::function<void()> add;     // Insert
    std::function<void()> open;    // Enter or F2 on the list
    std::function<void()> remove;  // Delete on the list
    std::function<void()> refresh; // F5
};

// The keyboard of a journal or catalog page. Insert and F5 act anywhere on the page; Enter, F2
// and Delete only on the list, so that they keep editing text in the page's boxes. The keys run
// the same handlers as the buttons, so rights are checked and deleting asks as on a click, and
// while a request waits for the service they are dropped like any other input.
void BindListKeys(QWidget* page, QWidget* list, const TListKeyActions& actions);

// The button's tooltip: its caption and the keys that do the same, "Добавить (Insert)".
void SetKeyTip(QPushButton* button, const QString& keys);

namespace ListKeys {
extern const QString kAdd;     // "Insert"
extern const QString kOpen;    // "Enter, F2"
extern const QString kRemove;  // "Delete"
extern const QString kRefresh; // "F5"
} // namespace ListKeys
