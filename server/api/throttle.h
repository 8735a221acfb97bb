#pragma once

#include <QHash>
#include <QMutex>
#include <QString>

namespace kovrel::server {

// Counts events per key (failed sign-ins, requests for a new password) and makes a key that had
// too many wait: past the free ones within the window, each further event locks the key, for a
// time that doubles with every one up to a ceiling. A key whose last event is a window old
// starts afresh. Kept in memory. Thread-safe.
class Throttle {
public:
    struct Rule {
        int free;               // events that cost nothing
        int windowSeconds;      // quiet time after which the count starts afresh
        int firstLockSeconds;   // the lock after the first event past the free ones
        int longestLockSeconds; // the ceiling of the doubling
    };

    explicit Throttle(Rule rule)
        : m_rule(rule) {}

    // Seconds the key must still wait, 0 when it need not.
    int Wait(const QString& key);
    void Record(const QString& key);
    void Forget(const QString& key);
    // Forgets the key's count when it began before that moment (ms since the epoch).
    void ForgetIfBefore(const QString& key, qint64 epochMs);

private:
    struct Entry {
        int count = 0;
        qint64 lastMs = 0;
        qint64 lockedUntilMs = 0;
        qint64 beganEpochMs = 0; // wall-clock time of the count's first event
    };
    void prune(qint64 now);

    const Rule m_rule;
    QMutex m_mutex;
    QHash<QString, Entry> m_entries;
};

// "12 с" or "5 мин": how long a client must wait, for a reason.
QString WaitText(int seconds);

} // namespace kovrel::server
