#include "units_of_measure.h"

const QList<TUnitOfMeasure>& UnitsOfMeasure() {
    static const QList<TUnitOfMeasure> units{
        {QStringLiteral("796"), QStringLiteral("шт")},    {QStringLiteral("166"), QStringLiteral("кг")},
        {QStringLiteral("163"), QStringLiteral("г")},     {QStringLiteral("168"), QStringLiteral("т")},
        {QStringLiteral("112"), QStringLiteral("л")},     {QStringLiteral("006"), QStringLiteral("м")},
        {QStringLiteral("055"), QStringLiteral("м2")},    {QStringLiteral("778"), QStringLiteral("упак")},
        {QStringLiteral("839"), QStringLiteral("компл")}, {QStringLiteral("715"), QStringLiteral("пар")},
    };
    return units;
}

QString UnitName(const QString& okei) {
    for (const TUnitOfMeasure& u : UnitsOfMeasure())
        if (u.okei == okei) return u.name;
    return {};
}

bool IsKnownUnit(const QString& okei) {
    return okei.isEmpty() || !UnitName(okei).isEmpty();
}
