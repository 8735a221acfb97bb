#pragma once

#include "sign_in_store.h"
#include "throttle.h"

namespace kovrel::server {

struct ClientAddress;
struct Identity;

// Keeps password guessing slow without ever locking the owner out. Every request carries the
// password, so each is a sign-in; a refused one is answered at once, before the password is
// hashed. The rules, in this order:
//  (a) From a known address of the login (one it signed in from within
//      SignInStore::kKnownDays), a sign-in is judged only by the failures of that (login,
//      address) pair: nobody elsewhere can lock the owner out.
//  (b) From any other address, failures count also per login, so that guessing from many
//      addresses stays slow, and per address, whatever the logins (those that do not exist
//      too).
//  (c) Each (login, address) pair backs off on its own failures: a stale client behind a shop's
//      address slows only itself and that login there.
// An operator's unlock (SignInStore::Unlock) clears the login's counts begun before it. The
// counts live in memory; known addresses and unlocks in the database. Thread-safe.
class SignInGuard {
public:
    explicit SignInGuard(SignInStore& store)
        : m_store(store) {}

    // Seconds the client must wait before its password is looked at; 0 when it may be now.
    int Wait(const SignInClaim& claim, const ClientAddress& client);
    // A wrong password (a request with no password at all guesses nothing and is not counted).
    void Failed(const SignInClaim& claim, const ClientAddress& client, const Identity& who);
    void Succeeded(const SignInClaim& claim, const ClientAddress& client, const Identity& who);

private:
    static QString pairKey(const SignInClaim& claim, const ClientAddress& client);

    SignInStore& m_store;
    Throttle m_pairs{{5, 15 * 60, 1, 60}};
    Throttle m_logins{{5, 15 * 60, 1, 5 * 60}};
    Throttle m_addresses{{20, 15 * 60, 1, 5 * 60}};
};

} // namespace kovrel::server
