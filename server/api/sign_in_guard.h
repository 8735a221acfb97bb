#pragma once

#include "sign_in_store.h"
#include "throttle.h"

namespace kovrel::server {

class Database;
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
// counts, known addresses and unlocks all live in the database, so that every server on it
// judges alike. Call it outside any transaction. Thread-safe.
class SignInGuard {
public:
    SignInGuard(SignInStore& store, Database& db);

    // Where the client stands before its password is looked at.
    struct Standing {
        int wait = 0;             // seconds to wait; 0 when it may be now
        bool pairCounted = false; // the pair has failures counted, which a success clears
    };
    Standing Wait(const SignInClaim& claim, const ClientAddress& client);
    // A wrong password (a request with no password at all guesses nothing and is not counted).
    void Failed(const SignInClaim& claim, const ClientAddress& client, const Identity& who);
    void Succeeded(const SignInClaim& claim, const ClientAddress& client, const Identity& who,
                   const Standing& standing);

private:
    static QString pairKey(const SignInClaim& claim, const ClientAddress& client);

    SignInStore& m_store;
    Database& m_db;
    Throttle m_pairs;
    Throttle m_logins;
    Throttle m_addresses;
};

} // namespace kovrel::server
