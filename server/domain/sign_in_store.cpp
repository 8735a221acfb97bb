#include "sign_in_store.h"

#include "database.h"

#include <QDateTime>
#include <QMutexLocker>

namespace kovrel::server {

namespace {

// Beyond this many pairs remembered as written today, the list starts afresh: a pair written
// again costs one statement that changes nothing.
constexpr qsizetype kMostWritten = 100000;

QString dayText(const QDate& day) {
    return day.toString(Qt::ISODate);
}

QDate today() {
    return QDateTime::currentDateTimeUtc().date();
}

} // namespace

SignInStore::SignInStore(Database& db)
    : m_db(db) {}

bool SignInStore::IsKnown(const SignInClaim& claim, const QString& address) {
    auto q =
        m_db.Query(QStringLiteral("SELECT 1 FROM known_addresses k JOIN accounts a ON a.id = k.account_id "
                                  "WHERE a.login_key = ? AND k.user_key = ? AND k.address = ? "
                                  "AND k.last_seen >= ?"))
            .BindText(claim.account)
            .BindText(claim.user)
            .BindText(address)
            .Bind(dayText(today().addDays(-kKnownDays)))
            .Run();
    return q.Next();
}

void SignInStore::Remember(qint64 accountId, const QString& userKey, const QString& address) {
    const QDate day = today();
    const QString pair = QStringLiteral("%1\n%2\n%3").arg(accountId).arg(userKey, address);
    {
        const QMutexLocker lock(&m_mutex);
        if (m_written.value(pair) == day) return;
    }
    // Another server may have written it today: then nothing changes.
    m_db.Query(QStringLiteral("INSERT INTO known_addresses (account_id, user_key, address, last_seen) "
                              "VALUES (?, ?, ?, ?) ON CONFLICT (account_id, user_key, address) DO UPDATE "
                              "SET last_seen = excluded.last_seen WHERE known_addresses.last_seen < "
                              "excluded.last_seen"))
        .Bind(accountId)
        .BindText(userKey)
        .BindText(address)
        .Bind(dayText(day))
        .Run();
    const QMutexLocker lock(&m_mutex);
    if (m_written.size() >= kMostWritten) m_written.clear();
    m_written.insert(pair, day);
}

qint64 SignInStore::UnlockedAt(const QString& loginKey) {
    auto q = m_db.Query(QStringLiteral("SELECT unlocked_at FROM sign_in_unlocks WHERE login_key = ?"))
                 .BindText(loginKey)
                 .Run();
    if (!q.Next()) return 0;
    return QDateTime::fromString(q.Text(0), Qt::ISODateWithMs).toMSecsSinceEpoch();
}

void SignInStore::Unlock(const QString& loginKey) {
    m_db.Query(QStringLiteral("INSERT INTO sign_in_unlocks (login_key, unlocked_at) VALUES (?, ?) "
                              "ON CONFLICT (login_key) DO UPDATE SET unlocked_at = excluded.unlocked_at"))
        .BindText(loginKey)
        .Bind(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs))
        .Run();
}

} // namespace kovrel::server
