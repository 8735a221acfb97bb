#pragma once

#include <QSqlError>
#include <QString>

class QSqlDriver;

namespace kovrel::server {

// The few places where SQLite and PostgreSQL differ. Everything else (placeholders "?",
// INSERT … RETURNING, INSERT … ON CONFLICT … DO UPDATE, LIKE … ESCAPE) is written once.
class SqlDialect {
public:
    enum class Kind { Sqlite, Postgres };

    explicit SqlDialect(Kind kind)
        : m_kind(kind) {}
    Kind GetKind() const { return m_kind; }
    bool IsSqlite() const { return m_kind == Kind::Sqlite; }

    // Column definition of a table's own surrogate key.
    QString AutoIdColumn() const;
    // Column type of raw bytes.
    QString BlobType() const;
    // Starts a transaction that will write: SQLite takes the write lock at once, so that two
    // writers never deadlock on lock upgrades.
    QString BeginWrite() const;
    // Starts a read-only transaction that sees one snapshot for all of its statements.
    QString BeginRead() const;
    // Serializes schema migrations of several servers starting at once; empty for SQLite.
    QString LockMigrations() const;
    // Whether running the failed transaction again may succeed.
    bool IsRetryable(const QSqlError& error) const;
    // Whether the database failed for want of disk space.
    bool IsDiskFull(const QSqlError& error) const;
    // Whether the driver's connection to the database is lost (the server went down or ended
    // it): the connection is of no more use and a new one must be opened.
    bool IsConnectionLost(const QSqlDriver* driver) const;

private:
    Kind m_kind;
};

} // namespace kovrel::server
