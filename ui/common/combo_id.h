#pragma once

#include <QString>

class QComboBox;

// Combo box items carry an integer as their item data.

// Appends an item with its integer.
void AddComboItem(QComboBox* box, const QString& text, int id);
// The integer of the selected item; `def` when nothing is selected.
int GetComboID(const QComboBox* box, int def);
// Selects the first item carrying `id`; when none does, the first item; an empty box stays
// unselected.
void SetComboID(QComboBox* box, int id);
