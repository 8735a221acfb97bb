#include "sign_in_guard.h"

#include "client_address.h"
#include "identity.h"
#include "store_error.h"

#include <algorithm>

namespace kovrel::server {

SignInGuard::SignInGuard(SignInStore& store, Database& db)
    : m_store(store)
    , m_db(db)
    , m_pairs(db, QStringLiteral("sign-in pair"), {5, 15 * 60, 1, 60})
    , m_logins(db, QStringLiteral("sign-in login"), {5, 15 * 60, 1, 5 * 60})
    , m_addresses(db, QStringLiteral("sign-in address"), {20, 15 * 60, 1, 5 * 60}) {}

QString SignInGuard::pairKey(const SignInClaim& claim, const ClientAddress& client) {
    return claim.Key() + QLatin1Char('\n') + client.key;
}

SignInGuard::Standing SignInGuard::Wait(const SignInClaim& claim, const ClientAddress& client) {
    const QString pair = pairKey(claim, client);
    const QStringList keys = {m_pairs.StoredKey(pair), m_logins.StoredKey(claim.Key()),
                              m_addresses.StoredKey(client.key)};
    // One statement for the three counts: it runs before every request.
    QHash<QString, int> counted = Throttle::Counted(m_db, keys);
    Standing standing{0, counted.contains(keys[0])};
    int pairWait = counted.value(keys[0]);
    int loginWait = counted.value(keys[1]);
    const int addressWait = counted.value(keys[2]);
    if (!pairWait && !loginWait && !addressWait) return standing;
    if (pairWait || loginWait) {
        if (const qint64 unlocked = m_store.UnlockedAt(claim.Login())) {
            m_pairs.ForgetIfBefore(pair, unlocked);
            m_logins.ForgetIfBefore(claim.Key(), unlocked);
            pairWait = m_pairs.Wait(pair);
            loginWait = m_logins.Wait(claim.Key());
        }
    }
    if (pairWait) {
        standing.wait = pairWait;
    } else if ((loginWait || addressWait) && !m_store.IsKnown(claim, client.key)) {
        standing.wait = std::max(loginWait, addressWait);
    }
    return standing;
}

void SignInGuard::Failed(const SignInClaim& claim, const ClientAddress& client, const Identity& who) {
    m_pairs.Record(pairKey(claim, client));
    if (who.accountFound && m_store.IsKnown(claim, client.key)) return;
    m_logins.Record(claim.Key());
    m_addresses.Record(client.key);
}

void SignInGuard::Succeeded(const SignInClaim& claim, const ClientAddress& client, const Identity& who,
                            const Standing& standing) {
    if (standing.pairCounted) m_pairs.Forget(pairKey(claim, client));
    try {
        m_store.Remember(who.accountId, claim.user, client.key);
    } catch (const StoreError&) {
        // The database takes no writes now (a full disk): the request itself may be a read
        // that it can serve. The day is written by a later sign-in.
    }
}

} // namespace kovrel::server
