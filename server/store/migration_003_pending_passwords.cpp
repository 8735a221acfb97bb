#include "schema_migrations.h"
#include "sql_dialect.h"

#include <QDateTime>

namespace kovrel::server {

// Administrator passwords mailed but not yet used, several per account: asking again no longer
// replaces the one mailed before, which stays valid until it is used or expires. The one
// accounts.pass_hash_new held moves here; that column is no longer read, and stays only so that
// a server of the previous version on the same database keeps working.
Migration Migration003PendingPasswords() {
    return {
        3, "pending administrator passwords", [](const SqlDialect&) {
            const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
            return QStringList{
                QStringLiteral("CREATE TABLE pending_passwords (account_id BIGINT NOT NULL REFERENCES "
                               "accounts (id), pass_hash TEXT NOT NULL, issued_at TEXT NOT NULL)"),
                QStringLiteral("CREATE INDEX pending_passwords_account ON pending_passwords (account_id)"),
                QStringLiteral("INSERT INTO pending_passwords (account_id, pass_hash, issued_at) "
                               "SELECT id, pass_hash_new, '%1' FROM accounts WHERE pass_hash_new <> ''")
                    .arg(now),
                QStringLiteral("UPDATE accounts SET pass_hash_new = ''"),
            };
        }};
}

} // namespace kovrel::server
