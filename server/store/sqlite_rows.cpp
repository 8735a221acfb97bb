#include "sqlite_rows.h"

#include "bound_sql.h"
#include "database.h"
#include "statement_cache.h"
#include "store_error.h"

#include <sqlite3.h>

namespace kovrel::server {

SqliteRows::SqliteRows(Database& db, const BoundSql& statement)
    : m_sql(statement.sql) {
    const Database::NativeConnection native = db.Native();
    m_db = static_cast<sqlite3*>(native.handle);
    m_cache = native.statements;
    if (const auto cache = m_cache.lock()) m_statement = cache->TakeNative(m_sql);
    if (!m_statement) {
        const QByteArray sql = m_sql.toUtf8();
        const int code = sqlite3_prepare_v3(m_db, sql.constData(), static_cast<int>(sql.size()),
                                            SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
        if (code != SQLITE_OK) fail(code);
    }
    try {
        bind(statement.values);
    } catch (const StoreError&) {
        release();
        throw;
    }
}

void SqliteRows::bind(const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) {
        const Parameter p = ParameterOf(values[i]);
        int code = SQLITE_OK;
        switch (p.kind) {
        case Kind::Null:
            code = sqlite3_bind_null(m_statement, i + 1);
            break;
        case Kind::Int:
            code = sqlite3_bind_int64(m_statement, i + 1, p.integer);
            break;
        case Kind::Number:
            code = sqlite3_bind_double(m_statement, i + 1, p.number);
            break;
        case Kind::Text:
            code = sqlite3_bind_text(m_statement, i + 1, p.text.constData(), static_cast<int>(p.text.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        if (code != SQLITE_OK) fail(code);
    }
}

SqliteRows::~SqliteRows() {
    release();
}

void SqliteRows::release() {
    if (!m_statement) return;
    const bool reusable = sqlite3_reset(m_statement) == SQLITE_OK;
    sqlite3_clear_bindings(m_statement);
    const auto cache = m_cache.lock();
    if (cache && reusable)
        cache->ReturnNative(m_sql, m_statement);
    else
        sqlite3_finalize(m_statement);
    m_statement = nullptr;
}

void SqliteRows::fail(int code) const {
    const QString error = QString::fromUtf8(sqlite3_errmsg(m_db));
    // Busy and locked: another writer holds the database; the transaction may be run again.
    const int primary = code & 0xff;
    throw StoreError(FailureText(error, QString::number(primary), m_sql),
                     primary == SQLITE_BUSY || primary == SQLITE_LOCKED);
}

int SqliteRows::Columns() const {
    return sqlite3_column_count(m_statement);
}

QByteArray SqliteRows::ColumnName(int column) const {
    return QByteArray(sqlite3_column_name(m_statement, column));
}

bool SqliteRows::Next() {
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    fail(code);
}

RowCursor::Kind SqliteRows::KindAt(int column) const {
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_NULL:
        return Kind::Null;
    case SQLITE_INTEGER:
        return Kind::Int;
    case SQLITE_FLOAT:
        return Kind::Number;
    default:
        return Kind::Text;
    }
}

qint64 SqliteRows::IntAt(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

double SqliteRows::NumberAt(int column) const {
    return sqlite3_column_double(m_statement, column);
}

QByteArrayView SqliteRows::TextAt(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text, sqlite3_column_bytes(m_statement, column));
}

} // namespace kovrel::server
