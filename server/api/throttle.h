#pragma once

#include <QHash>
#include <QHostAddress>
#include <QMutex>
#include <QString>

namespace kovrel::server {

// Counts events per key (failed sign-ins of an account, requests for a new password from an
// address) and makes a key that had too many wait: past the free ones within the window, each
// further event locks the key, for a time that doubles with every one up to a ceiling. A key
// whose last event is a window old starts afresh. Kept in memory: each server of a shared
// database counts on its own, and a restart forgets. Thread-safe.
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

    // The key of a client address: an IPv6 client is its /64 network, which one client holds whole.
    static QString AddressKey(const QHostAddress& address);

private:
    struct Entry {
        int count = 0;
        qint64 lastMs = 0;
        qint64 lockedUntilMs = 0;
    };
    void prune(qint64 now);

    const Rule m_rule;
    QMutex m_mutex;
    QHash<QString, Entry> m_entries;
};

// "12 с" or "5 мин": how long a client must wait, for a reason.
QString WaitText(int seconds);

// The service's throttles and their rules, side by side.
struct Throttles {
    // Failed sign-ins (every request carries the password): per client address, and per
    // account and user login, so that neither one address nor many addresses can guess fast.
    Throttle signInsByAddress{{20, 15 * 60, 1, 5 * 60}};
    Throttle signInsByAccount{{5, 15 * 60, 1, 60}};
    // Requests for a new administrator password per client address; per login, the accounts'
    // own rules apply (Accounts::IssueAdminPassword).
    Throttle passwordRequestsByAddress{{10, 60 * 60, 60, 60 * 60}};
};

} // namespace kovrel::server
