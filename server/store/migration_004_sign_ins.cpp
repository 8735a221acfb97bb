#include "schema_migrations.h"
#include "sql_dialect.h"

namespace kovrel::server {

// What the servers of one database share about sign-ins. known_addresses: the client addresses
// (ClientAddress::key) from which a login signed in, with the day it last did; user_key is the
// user's login in lower case, empty for the administrator. The day is written at most once a
// day per pair and raises no data version: it is no account data (and no backup holds it).
// sign_in_unlocks: when an operator last cleared a login's sign-in throttling
// (kovrel-server --unlock).
Migration Migration004SignIns() {
    return {4, "known sign-in addresses and unlocks", [](const SqlDialect&) {
                return QStringList{
                    QStringLiteral("CREATE TABLE known_addresses (account_id BIGINT NOT NULL REFERENCES "
                                   "accounts (id), user_key TEXT NOT NULL, address TEXT NOT NULL, "
                                   "last_seen TEXT NOT NULL, PRIMARY KEY (account_id, user_key, address))"),
                    QStringLiteral("CREATE TABLE sign_in_unlocks (login_key TEXT PRIMARY KEY, "
                                   "unlocked_at TEXT NOT NULL)"),
                };
            }};
}

} // namespace kovrel::server
