#pragma once

#include <QDate>
#include <QHash>
#include <QMutex>
#include <QString>

namespace kovrel::server {

class Database;

// Who signs in, as the throttling of failed sign-ins sees it: an account's administrator login
// and, for a user, the user's login (both in lower case; the user's empty for the
// administrator).
struct SignInClaim {
    QString account;
    QString user;

    // The login that signs in: the user's, or the administrator's.
    QString Login() const { return user.isEmpty() ? account : user; }
    QString Key() const { return account + QLatin1Char('\n') + user; }
};

// What the database keeps about sign-ins, for every server on it and across restarts: the
// addresses from which each login signed in (known for kKnownDays after the last time), and
// when an operator last cleared a login's throttling. Runs outside any transaction: each call
// is one statement. Thread-safe.
class SignInStore {
public:
    explicit SignInStore(Database& db);

    // Whether the login signed in from that client address (ClientAddress::key) within
    // kKnownDays.
    bool IsKnown(const SignInClaim& claim, const QString& address);
    // The login signed in from the address now. Writes the day at most once a day per pair.
    void Remember(qint64 accountId, const QString& userKey, const QString& address);

    // When the login's throttling was last cleared (ms since the epoch), 0 for never.
    qint64 UnlockedAt(const QString& loginKey);
    // Clears the login's throttling on every server, as of now.
    void Unlock(const QString& loginKey);

    static constexpr int kKnownDays = 30;

private:
    Database& m_db;
    QMutex m_mutex;
    QHash<QString, QDate> m_written; // pair → the day this server last wrote it
};

} // namespace kovrel::server
