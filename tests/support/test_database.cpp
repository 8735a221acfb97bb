#include "test_database.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>

namespace {

std::atomic<int> g_counter{0};

QString adminUrl() {
    return qEnvironmentVariable("KOVREL_TEST_PG_URL");
}

} // namespace

bool TestDatabase::WantsPostgres() {
    return qEnvironmentVariable("KOVREL_TEST_BACKEND") == QLatin1String("pg");
}

QString TestDatabase::PostgresUnavailable() {
    if (adminUrl().isEmpty())
        return QStringLiteral("KOVREL_TEST_PG_URL is not set (scripts/test starts a PostgreSQL and sets it)");
    return {};
}

TestDatabase::TestDatabase() {
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    m_postgres = WantsPostgres();
    if (!m_postgres) {
        m_argument = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("kovrel.sqlite"));
        return;
    }
    m_error = PostgresUnavailable();
    if (!m_error.isEmpty()) return;
    m_pgName = QStringLiteral("kovrel_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++g_counter);
    if (!adminExec(QStringLiteral("CREATE DATABASE %1").arg(m_pgName))) return;
    QUrl url(adminUrl());
    url.setPath(QLatin1Char('/') + m_pgName);
    m_argument = url.toString();
}

TestDatabase::~TestDatabase() {
    if (!m_pgName.isEmpty())
        adminExec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgName));
}

bool TestDatabase::adminExec(const QString& sql) {
    const QUrl url(adminUrl());
    const QString name = QStringLiteral("kovrel-test-admin-%1").arg(++g_counter);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
        if (!db.open()) {
            m_error = QStringLiteral("cannot reach PostgreSQL: %1").arg(db.lastError().text());
        } else {
            QSqlQuery q(db);
            ok = q.exec(sql);
            if (!ok) m_error = QStringLiteral("%1: %2").arg(sql, q.lastError().text());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
