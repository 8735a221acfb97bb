#include "schema_migrations.h"
#include "sql_dialect.h"

namespace kovrel::server {

// What the e-documents need beyond the requisites and goods the client has always sent: each
// party's participant ID with its e-document exchange operator, kept beside its requisites (a
// requisites save leaves it), and each goods item's unit of measure, an ОКЕИ code. Both empty
// until set.
Migration Migration005EdoIdsUnits() {
    return {5, "e-document participant ids, units of measure", [](const SqlDialect&) {
                return QStringList{
                    QStringLiteral("ALTER TABLE requisites ADD COLUMN edo_id TEXT NOT NULL DEFAULT ''"),
                    QStringLiteral("ALTER TABLE goods ADD COLUMN okei TEXT NOT NULL DEFAULT ''"),
                };
            }};
}

} // namespace kovrel::server
