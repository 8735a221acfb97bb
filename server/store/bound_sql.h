#pragma once

#include <QString>
#include <QVariantList>

namespace kovrel::server {

class Database;
class SqlQuery;

// A statement with the values of its "?" marks, built once and run by the service or, written
// out with its values in place, by other tools (the benchmarks time the same text in the
// sqlite3 shell).
struct BoundSql {
    QString sql;
    QVariantList values;

    SqlQuery Run(Database& db) const;
    // The statement with every mark replaced by its value as an SQL literal.
    QString Inline() const;
};

} // namespace kovrel::server
