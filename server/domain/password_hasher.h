#pragma once

#include <QByteArray>
#include <QMutex>
#include <QSet>
#include <QString>

namespace kovrel::server {

// Passwords are kept only as salted yescrypt hashes ("$y$…", crypt_r). Checking one costs tens
// of milliseconds by design, and every request carries the password, so a successful check is
// remembered for the pair (stored hash, password) under a keyed digest that lives only in this
// process's memory. Failed checks are never remembered: guessing stays slow.
class PasswordHasher {
public:
    PasswordHasher();

    // A new hash of the password with a fresh random salt; throws std::runtime_error when the
    // system's crypt cannot make one.
    QString Hash(const QString& password) const;
    // Whether the password matches the stored hash; an empty stored hash matches nothing.
    bool Verify(const QString& password, const QString& storedHash);

    // A new random password for mailing: letters and digits that cannot be mistaken for others.
    static QString NewPassword(int length = 10);

private:
    QByteArray cacheKey(const QString& password, const QString& storedHash) const;

    QByteArray m_secret;
    QMutex m_mutex;
    QSet<QByteArray> m_verified;
};

} // namespace kovrel::server
