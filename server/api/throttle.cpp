#include "throttle.h"

#include "database.h"

#include <QDateTime>

#include <algorithm>
#include <atomic>
#include <optional>

namespace kovrel::server {

namespace {

// Every so many events a server removes the rows nobody counts on any more: the table stays
// small whatever keys clients make up.
constexpr unsigned kPruneEvery = 64;
// A count changed by another server between its reading and its writing is read again.
constexpr int kRecordAttempts = 5;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

int secondsUntil(qint64 untilMs, qint64 now) {
    return untilMs > now ? static_cast<int>((untilMs - now + 999) / 1000) : 0;
}

} // namespace

Throttle::Throttle(Database& db, QString name, Rule rule)
    : m_db(db)
    , m_name(std::move(name))
    , m_rule(rule) {}

QString Throttle::StoredKey(const QString& key) const {
    return m_name + QLatin1Char('\n') + key;
}

QHash<QString, int> Throttle::Counted(Database& db, const QStringList& storedKeys) {
    QStringList marks;
    marks.fill(QStringLiteral("?"), storedKeys.size());
    auto q = db.Query(QStringLiteral("SELECT key, locked_until_ms FROM throttle_counts WHERE key IN (%1)")
                          .arg(marks.join(QStringLiteral(", "))));
    for (const QString& key : storedKeys)
        q.BindText(key);
    q.Run();
    const qint64 now = nowMs();
    QHash<QString, int> counted;
    while (q.Next())
        counted.insert(q.Text(0), secondsUntil(q.Int64(1), now));
    return counted;
}

int Throttle::Wait(const QString& key) {
    return Counted(m_db, {StoredKey(key)}).value(StoredKey(key));
}

void Throttle::Record(const QString& key) {
    const qint64 now = nowMs();
    static std::atomic<unsigned> events{0};
    if (++events % kPruneEvery == 0) removeExpired(now);
    const QString stored = StoredKey(key);
    for (int attempt = 0; attempt < kRecordAttempts && !recordOnce(stored, now); ++attempt) {
    }
}

// Reads the key's count and writes the next one, unless another server wrote it meanwhile.
bool Throttle::recordOnce(const QString& stored, qint64 now) {
    struct Row {
        int count = 0;
        qint64 began = 0;
        qint64 last = 0;
        qint64 lockedUntil = 0;
    };
    std::optional<Row> old;
    {
        auto q = m_db.Query(QStringLiteral("SELECT count, began_ms, last_ms, locked_until_ms FROM "
                                           "throttle_counts WHERE key = ?"))
                     .BindText(stored)
                     .Run();
        if (q.Next()) old = Row{q.Int(0), q.Int64(1), q.Int64(2), q.Int64(3)};
    }
    const qint64 windowMs = m_rule.windowSeconds * 1000LL;
    const bool fresh = !old || now - old->last > windowMs;
    Row next{(fresh ? 0 : old->count) + 1, fresh ? now : old->began, now, old ? old->lockedUntil : 0};
    if (const int past = next.count - m_rule.free; past > 0) {
        const qint64 seconds = std::min<qint64>(qint64(m_rule.firstLockSeconds) << std::min(past - 1, 30),
                                                m_rule.longestLockSeconds);
        next.lockedUntil = now + seconds * 1000;
    }
    const qint64 expires = std::max(now + windowMs, next.lockedUntil);
    if (!old) {
        return m_db.Query(QStringLiteral("INSERT INTO throttle_counts (key, count, began_ms, last_ms, "
                                         "locked_until_ms, expires_ms) VALUES (?, ?, ?, ?, ?, ?) "
                                         "ON CONFLICT (key) DO NOTHING"))
                   .BindText(stored)
                   .Bind(next.count)
                   .Bind(next.began)
                   .Bind(next.last)
                   .Bind(next.lockedUntil)
                   .Bind(expires)
                   .Run()
                   .RowsAffected() == 1;
    }
    return m_db.Query(QStringLiteral("UPDATE throttle_counts SET count = ?, began_ms = ?, last_ms = ?, "
                                     "locked_until_ms = ?, expires_ms = ? WHERE key = ? AND count = ? AND "
                                     "last_ms = ?"))
               .Bind(next.count)
               .Bind(next.began)
               .Bind(next.last)
               .Bind(next.lockedUntil)
               .Bind(expires)
               .BindText(stored)
               .Bind(old->count)
               .Bind(old->last)
               .Run()
               .RowsAffected() == 1;
}

void Throttle::Forget(const QString& key) {
    m_db.Query(QStringLiteral("DELETE FROM throttle_counts WHERE key = ?")).BindText(StoredKey(key)).Run();
}

void Throttle::ForgetIfBefore(const QString& key, qint64 epochMs) {
    m_db.Query(QStringLiteral("DELETE FROM throttle_counts WHERE key = ? AND began_ms < ?"))
        .BindText(StoredKey(key))
        .Bind(epochMs)
        .Run();
}

void Throttle::removeExpired(qint64 now) {
    m_db.Query(QStringLiteral("DELETE FROM throttle_counts WHERE expires_ms < ?")).Bind(now).Run();
}

QString WaitText(int seconds) {
    if (seconds < 120) return QStringLiteral("%1 с").arg(seconds);
    return QStringLiteral("%1 мин").arg((seconds + 59) / 60);
}

} // namespace kovrel::server
