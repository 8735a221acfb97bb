#pragma once

#include "row_cursor.h"

#include <QString>
#include <QVariantList>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace kovrel::server {

class StatementCache;

// A statement stepped row by row through SQLite's own interface, prepared once per connection
// and text (kept in the connection's StatementCache between runs).
class SqliteRows final : public RowCursor {
public:
    SqliteRows(Database& db, const BoundSql& statement);
    ~SqliteRows() override;

    int Columns() const override;
    QByteArray ColumnName(int column) const override;
    bool Next() override;
    Kind KindAt(int column) const override;
    qint64 IntAt(int column) const override;
    double NumberAt(int column) const override;
    QByteArrayView TextAt(int column) const override;

private:
    void bind(const QVariantList& values);
    // The statement back to the cache, reset, or finalized when it cannot run again.
    void release();
    [[noreturn]] void fail(int code) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    std::weak_ptr<StatementCache> m_cache;
    QString m_sql;
};

} // namespace kovrel::server
