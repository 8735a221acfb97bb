#pragma once

#include <QString>

#include <optional>

class QLineEdit;

// Numbers typed into an editor's boxes, read tolerantly (blanks around, "," or "." as the
// separator, no-break spaces as grouping). A box that does not hold one is refused rather than
// read as 0 or as what it held before: the person is told which field it is, the box is marked
// and takes the focus, and the caller sends nothing.
std::optional<double> ReadNumberBox(QLineEdit* box, const QString& field);
// A document number: digits only; an empty box gives `whenEmpty`.
std::optional<int> ReadNumberLinkBox(QLineEdit* box, const QString& field, int whenEmpty);

// Marks a box whose content was refused, with the reason as its tool tip, until it is edited;
// the box takes the focus with its text selected.
void MarkRefused(QLineEdit* box, const QString& reason);
bool IsMarkedRefused(const QLineEdit* box);
