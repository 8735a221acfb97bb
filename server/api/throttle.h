#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace kovrel::server {

class Database;

// Counts events per key (failed sign-ins, requests for a new password) and makes a key that had
// too many wait: past the free ones within the window, each further event locks the key, for a
// time that doubles with every one up to a ceiling. A key whose last event is a window old
// starts afresh. The counts live in the database (throttle_counts), so that every server on it
// counts the same events and a restart forgets nothing; times are the wall clock's. Each call
// is a statement or two of its own, outside any transaction: call none inside one. Thread-safe.
class Throttle {
public:
    struct Rule {
        int free;               // events that cost nothing
        int windowSeconds;      // quiet time after which the count starts afresh
        int firstLockSeconds;   // the lock after the first event past the free ones
        int longestLockSeconds; // the ceiling of the doubling
    };

    // `name` tells this throttle's keys from those of the others in the table.
    Throttle(Database& db, QString name, Rule rule);

    // Seconds the key must still wait, 0 when it need not.
    int Wait(const QString& key);
    void Record(const QString& key);
    void Forget(const QString& key);
    // Forgets the key's count when it began before that moment (ms since the epoch).
    void ForgetIfBefore(const QString& key, qint64 epochMs);

    // The key as the table holds it, for Counted().
    QString StoredKey(const QString& key) const;
    // Of the stored keys (of any throttles), those that hold a count, each with the seconds it
    // must still wait (0 when it need not): one statement for several throttles.
    static QHash<QString, int> Counted(Database& db, const QStringList& storedKeys);

private:
    bool recordOnce(const QString& stored, qint64 now);
    void removeExpired(qint64 now);

    Database& m_db;
    const QString m_name;
    const Rule m_rule;
};

// "12 с" or "5 мин": how long a client must wait, for a reason.
QString WaitText(int seconds);

} // namespace kovrel::server
