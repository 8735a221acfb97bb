#include "postgres_rows.h"

#include "bound_sql.h"
#include "database.h"
#include "store_error.h"

#include <libpq-fe.h>

#include <atomic>
#include <charconv>
#include <cstring>
#include <vector>

namespace kovrel::server {

namespace {

// The server's type numbers (pg_type.oid) of the values read as integers and as numbers.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700, kFloat8 = 701,
              kNumeric = 1700;

// "?" marks as libpq's "$1", "$2"…, outside quoted literals.
QByteArray numberedMarks(const QString& sql) {
    QByteArray out;
    out.reserve(sql.size() + 16);
    const QByteArray utf8 = sql.toUtf8();
    bool quoted = false;
    int next = 0;
    for (const char c : utf8) {
        if (c == '\'') quoted = !quoted;
        if (c == '?' && !quoted)
            out.append('$').append(QByteArray::number(++next));
        else
            out.append(c);
    }
    return out;
}

std::atomic<quint64> g_cursors{0};

} // namespace

PostgresRows::PostgresRows(Database& db, const BoundSql& statement)
    : m_sql(statement.sql) {
    m_connection = static_cast<pg_conn*>(db.Native().handle);
    QList<QByteArray> values;
    QList<bool> nulls;
    for (const QVariant& v : statement.values) {
        const Parameter p = ParameterOf(v);
        values.append(p.text);
        nulls.append(p.kind == Kind::Null);
    }
    const QByteArray sql = numberedMarks(m_sql);
    if (PQtransactionStatus(m_connection) != PQTRANS_INTRANS) {
        m_result = run(sql, PGRES_TUPLES_OK, values, nulls);
        m_rows = PQntuples(m_result);
        readColumns();
        return;
    }
    // A cursor is planned for its first rows unless told that all of them will be read.
    m_cursor = "kovrel_rows_" + QByteArray::number(++g_cursors);
    PQclear(run("SET LOCAL cursor_tuple_fraction = 1", PGRES_COMMAND_OK));
    PQclear(run("DECLARE " + m_cursor + " NO SCROLL CURSOR FOR " + sql, PGRES_COMMAND_OK, values, nulls));
    m_result = run("FETCH " + QByteArray::number(kBatch) + " FROM " + m_cursor, PGRES_TUPLES_OK);
    m_rows = PQntuples(m_result);
    readColumns();
}

PostgresRows::~PostgresRows() {
    PQclear(m_result);
    // After a failure the transaction is lost anyway and is rolled back.
    if (!m_cursor.isEmpty() && PQtransactionStatus(m_connection) == PQTRANS_INTRANS)
        PQclear(PQexec(m_connection, ("CLOSE " + m_cursor).constData()));
}

pg_result* PostgresRows::run(const QByteArray& command, int expected, const QList<QByteArray>& values,
                             const QList<bool>& nulls) {
    std::vector<const char*> pointers;
    for (qsizetype i = 0; i < values.size(); ++i)
        pointers.push_back(nulls[i] ? nullptr : values[i].constData());
    PGresult* result = PQexecParams(m_connection, command.constData(), static_cast<int>(pointers.size()),
                                    nullptr, pointers.data(), nullptr, nullptr, 0);
    if (PQresultStatus(result) != expected) fail(result);
    return result;
}

void PostgresRows::fail(pg_result* result) const {
    const QString error =
        QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(m_connection)).trimmed();
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const QString code = QString::fromLatin1(state ? state : "");
    PQclear(result);
    // Serialization failures and deadlocks: the transaction may be run again.
    throw StoreError(FailureText(error, code, m_sql),
                     code == QLatin1String("40001") || code == QLatin1String("40P01"));
}

void PostgresRows::readColumns() {
    m_kinds.clear();
    for (int c = 0; c < PQnfields(m_result); ++c) {
        switch (PQftype(m_result, c)) {
        case kBool:
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            m_kinds.append(Kind::Int);
            break;
        case kFloat4:
        case kFloat8:
        case kNumeric:
            m_kinds.append(Kind::Number);
            break;
        default:
            m_kinds.append(Kind::Text);
        }
    }
}

int PostgresRows::Columns() const {
    return PQnfields(m_result);
}

QByteArray PostgresRows::ColumnName(int column) const {
    return QByteArray(PQfname(m_result, column));
}

bool PostgresRows::Next() {
    if (++m_row < m_rows) return true;
    if (m_cursor.isEmpty() || m_rows < kBatch) return false;
    PQclear(m_result);
    m_result = nullptr;
    m_result = run("FETCH " + QByteArray::number(kBatch) + " FROM " + m_cursor, PGRES_TUPLES_OK);
    m_rows = PQntuples(m_result);
    m_row = 0;
    return m_rows > 0;
}

RowCursor::Kind PostgresRows::KindAt(int column) const {
    return PQgetisnull(m_result, m_row, column) ? Kind::Null : m_kinds[column];
}

qint64 PostgresRows::IntAt(int column) const {
    const char* text = PQgetvalue(m_result, m_row, column);
    if (text[0] == 't' || text[0] == 'f') return text[0] == 't' ? 1 : 0; // a boolean
    qint64 value = 0;
    std::from_chars(text, text + std::strlen(text), value);
    return value;
}

double PostgresRows::NumberAt(int column) const {
    const char* text = PQgetvalue(m_result, m_row, column);
    double value = 0;
    std::from_chars(text, text + PQgetlength(m_result, m_row, column), value);
    return value;
}

QByteArrayView PostgresRows::TextAt(int column) const {
    return QByteArrayView(PQgetvalue(m_result, m_row, column), PQgetlength(m_result, m_row, column));
}

} // namespace kovrel::server
