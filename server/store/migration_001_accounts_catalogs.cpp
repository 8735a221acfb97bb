#include "schema_migrations.h"
#include "sql_dialect.h"

namespace kovrel::server {

// Accounts, their users and rights, and every catalog. Every table of account data starts with
// account_id, and the entries of an account are numbered per account (id_counters), so that
// each account sees its own manager 1, category 1 and organization 1000000.
Migration Migration001AccountsCatalogs() {
    return {
        1, "accounts, users, rights and catalogs", [](const SqlDialect& d) {
            return QStringList{
                // The administrator's login names the account; login_key is its lower-case
                // form. pass_hash is the password in use, pass_hash_new one mailed but not yet
                // used (both crypt() hashes, empty for none).
                QStringLiteral("CREATE TABLE accounts (id %1, login TEXT NOT NULL, "
                               "login_key TEXT NOT NULL UNIQUE, pass_hash TEXT NOT NULL DEFAULT '', "
                               "pass_hash_new TEXT NOT NULL DEFAULT '', created_at TEXT NOT NULL)")
                    .arg(d.AutoIdColumn()),
                // The last number given out per account and kind of entry; numbers are never
                // given twice, even after a deletion.
                QStringLiteral(
                    "CREATE TABLE id_counters (account_id BIGINT NOT NULL REFERENCES accounts (id), "
                    "name TEXT NOT NULL, last_id BIGINT NOT NULL, PRIMARY KEY (account_id, name))"),
                QStringLiteral("CREATE TABLE users (account_id BIGINT NOT NULL REFERENCES accounts (id), "
                               "id INTEGER NOT NULL, dop_login TEXT NOT NULL, login_key TEXT NOT NULL, "
                               "user_name TEXT NOT NULL DEFAULT '', upname TEXT NOT NULL DEFAULT '', "
                               "pass_hash TEXT NOT NULL DEFAULT '', flag_del INTEGER NOT NULL DEFAULT 0, "
                               "PRIMARY KEY (account_id, id))"),
                QStringLiteral("CREATE INDEX users_login ON users (account_id, login_key)"),
                QStringLiteral(
                    "CREATE TABLE user_rights (account_id BIGINT NOT NULL, id_user INTEGER NOT NULL, "
                    "id_right INTEGER NOT NULL, ur INTEGER NOT NULL DEFAULT 0, "
                    "PRIMARY KEY (account_id, id_user, id_right), "
                    "FOREIGN KEY (account_id, id_user) REFERENCES users (account_id, id))"),
                // Everything the client keeps in its counterparty record: kinds 1 to 4,
                // stores (10) and managers (12). id_manager is a manager of the same table.
                QStringLiteral(
                    "CREATE TABLE klients (account_id BIGINT NOT NULL REFERENCES accounts (id), "
                    "id INTEGER NOT NULL, type_kl INTEGER NOT NULL, name TEXT NOT NULL DEFAULT '', "
                    "upname TEXT NOT NULL DEFAULT '', prim TEXT NOT NULL DEFAULT '', "
                    "id_manager INTEGER NOT NULL DEFAULT 1, flag_del INTEGER NOT NULL DEFAULT 0, "
                    "PRIMARY KEY (account_id, id), "
                    "FOREIGN KEY (account_id, id_manager) REFERENCES klients (account_id, id))"),
                QStringLiteral("CREATE INDEX klients_kind ON klients (account_id, type_kl)"),
                // Access of a user to a store: 0 none, 1 full, 2 limited; no row means full.
                QStringLiteral(
                    "CREATE TABLE store_rights (account_id BIGINT NOT NULL, id_store INTEGER NOT NULL, "
                    "id_user INTEGER NOT NULL, ur INTEGER NOT NULL, "
                    "PRIMARY KEY (account_id, id_store, id_user), "
                    "FOREIGN KEY (account_id, id_store) REFERENCES klients (account_id, id), "
                    "FOREIGN KEY (account_id, id_user) REFERENCES users (account_id, id))"),
                // Requisites by counterparty ID; the own organization's under 1000000, which
                // has no counterparty row.
                QStringLiteral(
                    "CREATE TABLE requisites (account_id BIGINT NOT NULL REFERENCES accounts (id), "
                    "id_klient INTEGER NOT NULL, name TEXT NOT NULL DEFAULT '', "
                    "bname TEXT NOT NULL DEFAULT '', rs TEXT NOT NULL DEFAULT '', "
                    "ks TEXT NOT NULL DEFAULT '', bik TEXT NOT NULL DEFAULT '', "
                    "inn TEXT NOT NULL DEFAULT '', kpp TEXT NOT NULL DEFAULT '', "
                    "adres TEXT NOT NULL DEFAULT '', tel TEXT NOT NULL DEFAULT '', "
                    "okpo TEXT NOT NULL DEFAULT '', ogrn TEXT NOT NULL DEFAULT '', "
                    "okpd TEXT NOT NULL DEFAULT '', dir TEXT NOT NULL DEFAULT '', "
                    "gbuh TEXT NOT NULL DEFAULT '', PRIMARY KEY (account_id, id_klient))"),
                QStringLiteral(
                    "CREATE TABLE grnames (account_id BIGINT NOT NULL REFERENCES accounts (id), "
                    "id INTEGER NOT NULL, name TEXT NOT NULL DEFAULT '', upname TEXT NOT NULL DEFAULT '', "
                    "prim TEXT NOT NULL DEFAULT '', flag_del INTEGER NOT NULL DEFAULT 0, "
                    "PRIMARY KEY (account_id, id))"),
                // Goods and kits (flag_norm 1). zcen is the purchase price last received;
                // the up… columns hold the upper-case forms that searches compare.
                QStringLiteral(
                    "CREATE TABLE goods (account_id BIGINT NOT NULL REFERENCES accounts (id), "
                    "id INTEGER NOT NULL, name TEXT NOT NULL DEFAULT '', upname TEXT NOT NULL DEFAULT '', "
                    "prim TEXT NOT NULL DEFAULT '', code TEXT NOT NULL DEFAULT '', "
                    "upcode TEXT NOT NULL DEFAULT '', barcode TEXT NOT NULL DEFAULT '', "
                    "upbarcode TEXT NOT NULL DEFAULT '', pack DOUBLE PRECISION NOT NULL DEFAULT 1, "
                    "pcen DOUBLE PRECISION NOT NULL DEFAULT 0, zcen DOUBLE PRECISION NOT NULL DEFAULT 0, "
                    "nds DOUBLE PRECISION NOT NULL DEFAULT 0, gg_code INTEGER NOT NULL DEFAULT 1, "
                    "flag_norm INTEGER NOT NULL DEFAULT 0, flag_del INTEGER NOT NULL DEFAULT 0, "
                    "PRIMARY KEY (account_id, id), "
                    "FOREIGN KEY (account_id, gg_code) REFERENCES grnames (account_id, id))"),
                QStringLiteral("CREATE INDEX goods_kind ON goods (account_id, flag_norm)"),
                // The composition of a kit: kol units of id_goods per kit.
                QStringLiteral("CREATE TABLE kit_items (account_id BIGINT NOT NULL, id_kit INTEGER NOT NULL, "
                               "id_goods INTEGER NOT NULL, kol DOUBLE PRECISION NOT NULL, "
                               "PRIMARY KEY (account_id, id_kit, id_goods), "
                               "FOREIGN KEY (account_id, id_kit) REFERENCES goods (account_id, id), "
                               "FOREIGN KEY (account_id, id_goods) REFERENCES goods (account_id, id))"),
            };
        }};
}

} // namespace kovrel::server
