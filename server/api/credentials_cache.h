#pragma once

#include "identity.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>

#include <optional>

namespace kovrel::server {

// Whom the authentication fields of earlier requests named, so that a client sending its
// password with every request costs a lookup instead of an account query and a password
// check. An entry holds only while the account's data version is the one read with the
// password: every write raises that version in the database (a password or rights change
// too, and a mailed password's first use), so the entries of every server on the database go
// stale at once. Failed checks are never kept, and the dispatcher asks the sign-in throttles
// before it looks here. Keys are keyed digests of the fields, so no password stays in memory.
// At most kMost entries; thread-safe.
class CredentialsCache {
public:
    CredentialsCache();

    QByteArray Key(const QString& login, const QString& dopLogin, const QString& token) const;
    // The identity stored under the key; the caller compares its data version with the
    // account's.
    std::optional<Identity> Find(const QByteArray& key);
    // Keeps an authenticated identity; its dataVersion must have been read before its password.
    void Store(const QByteArray& key, const Identity& who);
    void Forget(const QByteArray& key);

    static constexpr qsizetype kMost = 10000;

private:
    QByteArray m_secret;
    QMutex m_mutex;
    QHash<QByteArray, Identity> m_entries;
};

} // namespace kovrel::server
