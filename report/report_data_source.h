#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// What the program hands the engine: a named source of `recordCount` records whose fields the
// engine asks for by name as it lays a band out. An invalid QVariant prints as nothing.
//
// A source declares its fields: a template naming a field that its source does not declare
// is not prepared at all, since on paper a variable nobody answers is a missing value that
// nobody notices.
struct ReportDataSource {
    using ValueFn = std::function<QVariant(const QString& field, int record)>;
    // What the records first..last (inclusive) add up to in `field`: the page totals of a
    // form. Summed by the program, which knows how its figures add up (kopecks, not doubles).
    using TotalFn = std::function<QVariant(const QString& field, int first, int last)>;

    QString name;
    int recordCount = 0;
    ValueFn value;
    QStringList fields;
    TotalFn total;
};
