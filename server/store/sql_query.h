#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <memory>

namespace kovrel::server {

class SqlDialect;
class StatementCache;

// A prepared statement with positional "?" parameters that throws StoreError instead of
// returning false, so a failed statement always ends the request and its transaction. With a
// cache, a statement of the same text prepared before is run again, and this one is kept for
// the next query when it goes.
class SqlQuery {
public:
    SqlQuery(const QSqlDatabase& db, const SqlDialect& dialect, const QString& sql,
             std::weak_ptr<StatementCache> cache = {});
    ~SqlQuery();
    SqlQuery(SqlQuery&& other) noexcept;
    SqlQuery(const SqlQuery&) = delete;
    SqlQuery& operator=(const SqlQuery&) = delete;
    SqlQuery& operator=(SqlQuery&&) = delete;

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

    bool m_reused = false; // set while m_query is made
    QSqlQuery m_query;
    const SqlDialect& m_dialect;
    QString m_sql;
    std::weak_ptr<StatementCache> m_cache;
};

} // namespace kovrel::server
