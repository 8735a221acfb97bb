#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace kovrel::server {

class SqlDialect;

// A prepared statement with positional "?" parameters that throws StoreError instead of
// returning false, so a failed statement always ends the request and its transaction.
class SqlQuery {
public:
    SqlQuery(const QSqlDatabase& db, const SqlDialect& dialect, const QString& sql);
    SqlQuery(SqlQuery&&) = default;
    SqlQuery(const SqlQuery&) = delete;
    SqlQuery& operator=(const SqlQuery&) = delete;

    // Each binds the next "?"; the && forms let a chain that starts with a fresh query end in
    // a variable: auto q = db.Query("…").Bind(1).Run();
    SqlQuery& Bind(const QVariant& value) &;
    SqlQuery&& Bind(const QVariant& value) && { return std::move(Bind(value)); }
    // Binds a text that must never be stored as NULL: an empty text stays an empty text.
    SqlQuery& BindText(const QString& value) &;
    SqlQuery&& BindText(const QString& value) && { return std::move(BindText(value)); }
    SqlQuery& Run() &;
    SqlQuery&& Run() && { return std::move(Run()); }

    bool Next() { return m_query.next(); }
    QVariant Value(int column) const { return m_query.value(column); }
    int Int(int column) const { return m_query.value(column).toInt(); }
    qint64 Int64(int column) const { return m_query.value(column).toLongLong(); }
    double Double(int column) const { return m_query.value(column).toDouble(); }
    QString Text(int column) const { return m_query.value(column).toString(); }
    QSqlRecord Record() const { return m_query.record(); }
    int RowsAffected() const { return m_query.numRowsAffected(); }

private:
    [[noreturn]] void fail() const;

    QSqlQuery m_query;
    const SqlDialect& m_dialect;
    QString m_sql;
};

} // namespace kovrel::server
