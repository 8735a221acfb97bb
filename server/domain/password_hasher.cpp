#include "password_hasher.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QMutexLocker>
#include <QRandomGenerator>

#include <crypt.h>

#include <cstring>
#include <memory>
#include <stdexcept>

namespace kovrel::server {

namespace {

constexpr qsizetype kMaxRemembered = 50000;

QByteArray cryptOf(const QByteArray& password, const QByteArray& setting) {
    auto data = std::make_unique<crypt_data>();
    std::memset(data.get(), 0, sizeof(crypt_data));
    const char* out = crypt_r(password.constData(), setting.constData(), data.get());
    // libxcrypt marks failure with a hash that starts with "*".
    if (!out || out[0] == '*') return {};
    return QByteArray(out);
}

} // namespace

PasswordHasher::PasswordHasher() {
    m_secret.resize(32);
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(m_secret.data()),
                                         reinterpret_cast<quint32*>(m_secret.data() + m_secret.size()));
}

QString PasswordHasher::Hash(const QString& password) const {
    char setting[CRYPT_GENSALT_OUTPUT_SIZE];
    if (!crypt_gensalt_rn("$y$", 0, nullptr, 0, setting, sizeof setting))
        throw std::runtime_error("crypt_gensalt_rn cannot make a yescrypt salt");
    const QByteArray hash = cryptOf(password.toUtf8(), setting);
    if (hash.isEmpty()) throw std::runtime_error("crypt_r cannot hash a password");
    return QString::fromLatin1(hash);
}

bool PasswordHasher::Verify(const QString& password, const QString& storedHash) {
    if (storedHash.isEmpty() || password.isEmpty()) return false;
    const QByteArray key = cacheKey(password, storedHash);
    {
        QMutexLocker lock(&m_mutex);
        if (m_verified.contains(key)) return true;
    }
    const QByteArray stored = storedHash.toLatin1();
    const QByteArray computed = cryptOf(password.toUtf8(), stored);
    if (computed.isEmpty() || computed.size() != stored.size()) return false;
    // Compare without an early exit.
    unsigned char diff = 0;
    for (qsizetype i = 0; i < stored.size(); ++i)
        diff |= static_cast<unsigned char>(stored[i] ^ computed[i]);
    if (diff != 0) return false;
    QMutexLocker lock(&m_mutex);
    if (m_verified.size() >= kMaxRemembered) m_verified.clear();
    m_verified.insert(key);
    return true;
}

QByteArray PasswordHasher::cacheKey(const QString& password, const QString& storedHash) const {
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, m_secret);
    mac.addData(storedHash.toLatin1());
    mac.addData("\0", 1);
    mac.addData(password.toUtf8());
    return mac.result();
}

QString PasswordHasher::NewPassword(int length) {
    static const char alphabet[] = "abcdefghjkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    constexpr int size = sizeof alphabet - 1;
    QString out;
    for (int i = 0; i < length; ++i)
        out.append(QLatin1Char(alphabet[QRandomGenerator::system()->bounded(size)]));
    return out;
}

} // namespace kovrel::server
