#include "schema_migrations.h"
#include "sql_dialect.h"

namespace kovrel::server {

// What one server kept for the next request and several servers on one database must share,
// so that any of them answers any request.
// throttle_counts: the counts of the sign-in and password-request throttles, one row per rule
// and key (Throttle::StoredKey); times are milliseconds since the epoch; a row whose
// expires_ms has passed counts nothing and is removed now and then.
// backup_downloads: a backup waiting for its one download, under the SHA-256 of its token, its
// file in parts of at most Backup::kPartBytes (one huge value is costly for both databases to
// write and read); the parts go with their backup.
// None of it is account data: no backup holds it and it raises no data version.
Migration Migration006SharedState() {
    return {
        6, "throttle counts and backups for download in the database", [](const SqlDialect& d) {
            return QStringList{
                QStringLiteral("CREATE TABLE throttle_counts (key TEXT PRIMARY KEY, count INTEGER NOT NULL, "
                               "began_ms BIGINT NOT NULL, last_ms BIGINT NOT NULL, locked_until_ms BIGINT "
                               "NOT NULL, expires_ms BIGINT NOT NULL)"),
                QStringLiteral("CREATE INDEX throttle_counts_expiry ON throttle_counts (expires_ms)"),
                QStringLiteral("CREATE TABLE backup_downloads (token_hash TEXT PRIMARY KEY, file_name TEXT "
                               "NOT NULL, expires_ms BIGINT NOT NULL)"),
                QStringLiteral("CREATE TABLE backup_download_parts (token_hash TEXT NOT NULL REFERENCES "
                               "backup_downloads (token_hash) ON DELETE CASCADE, part INTEGER NOT NULL, "
                               "bytes %1 NOT NULL, PRIMARY KEY (token_hash, part))")
                    .arg(d.BlobType()),
            };
        }};
}

} // namespace kovrel::server
