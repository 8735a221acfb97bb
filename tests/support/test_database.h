#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh, empty database for one test: an SQLite file in a temporary folder, or, when the
// test runs with KOVREL_TEST_BACKEND=pg, a new PostgreSQL database on the server named by
// KOVREL_TEST_PG_URL (an administrator's URL, e.g. postgresql://postgres@127.0.0.1:5433/postgres),
// dropped again when the object goes.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    bool Ok() const { return m_error.isEmpty(); }
    QString Error() const { return m_error; }
    // The value for kovrel-server's --db.
    QString Argument() const { return m_argument; }
    bool IsPostgres() const { return m_postgres; }
    // A folder for the test's other files (outbox, logs), removed with the object.
    QString Folder() const { return m_dir.path(); }

    static bool WantsPostgres();
    // Why a PostgreSQL test cannot run here, or empty when it can.
    static QString PostgresUnavailable();
    // Why this run of a server suite cannot go on (it wants PostgreSQL and has none), or empty.
    static QString SkipReason() { return WantsPostgres() ? PostgresUnavailable() : QString(); }

private:
    bool adminExec(const QString& sql);

    QTemporaryDir m_dir;
    bool m_postgres = false;
    QString m_argument;
    QString m_pgName;
    QString m_error;
};
