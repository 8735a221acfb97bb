#include "credentials_cache.h"

#include "accounts.h"

#include <QCryptographicHash>
#include <QMutexLocker>
#include <QRandomGenerator>

namespace kovrel::server {

CredentialsCache::CredentialsCache() {
    m_secret.resize(32);
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(m_secret.data()),
                                         reinterpret_cast<quint32*>(m_secret.data() + m_secret.size()));
}

QByteArray CredentialsCache::Key(const QString& login, const QString& dopLogin, const QString& token) const {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(m_secret);
    for (const QString& field : {Accounts::LoginKey(login), Accounts::LoginKey(dopLogin), token}) {
        const QByteArray bytes = field.toUtf8();
        const qint64 size = bytes.size(); // lengths first: no two field lists hash alike
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(&size), sizeof size));
        hash.addData(bytes);
    }
    return hash.result();
}

std::optional<Identity> CredentialsCache::Find(const QByteArray& key) {
    const QMutexLocker lock(&m_mutex);
    const auto it = m_entries.constFind(key);
    if (it == m_entries.cend()) return std::nullopt;
    return *it;
}

void CredentialsCache::Store(const QByteArray& key, const Identity& who) {
    if (!who.Authenticated()) return;
    const QMutexLocker lock(&m_mutex);
    // Full: everyone's password is checked once more rather than the table growing without end.
    if (m_entries.size() >= kMost) m_entries.clear();
    m_entries.insert(key, who);
}

void CredentialsCache::Forget(const QByteArray& key) {
    const QMutexLocker lock(&m_mutex);
    m_entries.remove(key);
}

} // namespace kovrel::server
