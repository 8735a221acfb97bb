#pragma once

#include <QList>
#include <QString>

// The units of measure a goods item may carry: the code of the all-Russian classifier of units
// (ОКЕИ) that the e-documents carry, and the national symbol the papers print beside it.
struct TUnitOfMeasure {
    QString okei; // three digits, leading zeros kept ("006")
    QString name; // "шт", "кг", …
};

// The goods editor's list, in the order it shows them.
const QList<TUnitOfMeasure>& UnitsOfMeasure();

// The symbol of a code of the list; empty for an empty code or one the list does not have.
QString UnitName(const QString& okei);

// True for an empty code (no unit) and for a code of the list.
bool IsKnownUnit(const QString& okei);
