#pragma once

#include "row_cursor.h"

#include <QByteArray>
#include <QString>

struct pg_conn;
struct pg_result;

namespace kovrel::server {

// A statement run through libpq on the connection QtSql opened. Inside a transaction the rows
// come through a cursor, kBatch rows a round trip (QtSql's forward-only queries take one round
// trip's result object per row); outside one, as one whole result. Values are read from the
// text that the server sends.
class PostgresRows final : public RowCursor {
public:
    PostgresRows(Database& db, const BoundSql& statement);
    ~PostgresRows() override;

    int Columns() const override;
    QByteArray ColumnName(int column) const override;
    bool Next() override;
    Kind KindAt(int column) const override;
    qint64 IntAt(int column) const override;
    double NumberAt(int column) const override;
    QByteArrayView TextAt(int column) const override;

    static constexpr int kBatch = 10000;

private:
    // Runs one command; the result when its status is the one expected, else throws.
    pg_result* run(const QByteArray& command, int expected, const QList<QByteArray>& values = {},
                   const QList<bool>& nulls = {});
    void readColumns();
    [[noreturn]] void fail(pg_result* result) const;

    pg_conn* m_connection = nullptr;
    pg_result* m_result = nullptr;
    QString m_sql;
    QByteArray m_cursor; // empty: the whole result at once
    QList<Kind> m_kinds;
    int m_row = -1;
    int m_rows = 0;
};

} // namespace kovrel::server
