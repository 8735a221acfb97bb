#include "sign_in_guard.h"

#include "client_address.h"
#include "identity.h"
#include "store_error.h"

#include <algorithm>

namespace kovrel::server {

QString SignInGuard::pairKey(const SignInClaim& claim, const ClientAddress& client) {
    return claim.Key() + QLatin1Char('\n') + client.key;
}

int SignInGuard::Wait(const SignInClaim& claim, const ClientAddress& client) {
    const QString pair = pairKey(claim, client);
    int pairWait = m_pairs.Wait(pair);
    int loginWait = m_logins.Wait(claim.Key());
    const int addressWait = m_addresses.Wait(client.key);
    if (!pairWait && !loginWait && !addressWait) return 0;
    if (pairWait || loginWait) {
        if (const qint64 unlocked = m_store.UnlockedAt(claim.Login())) {
            m_pairs.ForgetIfBefore(pair, unlocked);
            m_logins.ForgetIfBefore(claim.Key(), unlocked);
            pairWait = m_pairs.Wait(pair);
            loginWait = m_logins.Wait(claim.Key());
        }
    }
    if (pairWait) return pairWait;
    if (!loginWait && !addressWait) return 0;
    return m_store.IsKnown(claim, client.key) ? 0 : std::max(loginWait, addressWait);
}

void SignInGuard::Failed(const SignInClaim& claim, const ClientAddress& client, const Identity& who) {
    m_pairs.Record(pairKey(claim, client));
    if (who.accountFound && m_store.IsKnown(claim, client.key)) return;
    m_logins.Record(claim.Key());
    m_addresses.Record(client.key);
}

void SignInGuard::Succeeded(const SignInClaim& claim, const ClientAddress& client, const Identity& who) {
    m_pairs.Forget(pairKey(claim, client));
    try {
        m_store.Remember(who.accountId, claim.user, client.key);
    } catch (const StoreError&) {
        // The database takes no writes now (a full disk): the request itself may be a read
        // that it can serve. The day is written by a later sign-in.
    }
}

} // namespace kovrel::server
