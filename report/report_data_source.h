#pragma once

#include <QString>
#include <QVariant>

#include <functional>

// What the program hands the engine: a named source of `recordCount` records whose fields the
// engine asks for by name as it lays a band out. An invalid QVariant prints as nothing.
struct ReportDataSource {
    using ValueFn = std::function<QVariant(const QString& field, int record)>;

    QString name;
    int recordCount = 0;
    ValueFn value;
};
