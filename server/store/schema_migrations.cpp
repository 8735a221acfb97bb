#include "schema_migrations.h"

#include "database.h"
#include "transaction.h"

#include <QDateTime>

namespace kovrel::server {

const std::vector<Migration>& AllMigrations() {
    static const std::vector<Migration> steps = {
        Migration001AccountsCatalogs(),
        Migration002Documents(),
        Migration003PendingPasswords(),
        Migration004SignIns(),
        Migration005EdoIdsUnits(),
        Migration006SharedState(),
    };
    return steps;
}

namespace {

// Each step is looked up by its own number, not compared with the highest one applied: steps
// written on parallel branches land in any order, and a database that took a later number first
// must still take the earlier one.
bool isApplied(Database& db, int version) {
    auto q = db.Query(QStringLiteral("SELECT 1 FROM schema_version WHERE version = ?")).Bind(version).Run();
    return q.Next();
}

} // namespace

QList<int> ApplyMigrations(Database& db, const std::vector<Migration>& steps) {
    QList<int> applied;
    for (const Migration& step : steps) {
        Transaction tx(db, Transaction::Mode::Write);
        if (const QString lock = db.Dialect().LockMigrations(); !lock.isEmpty()) db.Exec(lock);
        // Under the lock: PostgreSQL's IF NOT EXISTS is not safe against a concurrent creator.
        db.Exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER PRIMARY KEY, "
                               "description TEXT NOT NULL, applied_at TEXT NOT NULL)"));
        // Another server may have applied it while we waited for the lock.
        if (isApplied(db, step.version)) continue;
        for (const QString& sql : step.statements(db.Dialect()))
            db.Exec(sql);
        db.Query(QStringLiteral(
                     "INSERT INTO schema_version (version, description, applied_at) VALUES (?, ?, ?)"))
            .Bind(step.version)
            .Bind(QString::fromUtf8(step.description))
            .Bind(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
            .Run();
        tx.Commit();
        applied.append(step.version);
    }
    return applied;
}

} // namespace kovrel::server
