#include "id_counter.h"

#include "database.h"
#include "rec_klient.h"
#include "store_error.h"

namespace kovrel::server {

namespace {

qint64 advance(Database& db, qint64 accountId, const QString& sequence) {
    auto q = db.Query(QStringLiteral(
                          "INSERT INTO id_counters (account_id, name, last_id) VALUES (?, ?, 1) "
                          "ON CONFLICT (account_id, name) DO UPDATE SET last_id = id_counters.last_id + 1 "
                          "RETURNING last_id"))
                 .Bind(accountId)
                 .Bind(sequence)
                 .Run();
    if (!q.Next()) throw StoreError(QStringLiteral("no number given for %1").arg(sequence), false);
    return q.Int64(0);
}

} // namespace

int NextId(Database& db, qint64 accountId, const QString& sequence) {
    qint64 id = advance(db, accountId, sequence);
    if (sequence == IdSequence::Klients && id == kOrganizationID) id = advance(db, accountId, sequence);
    if (id > std::numeric_limits<int>::max())
        throw StoreError(QStringLiteral("numbers of %1 exhausted").arg(sequence), false);
    return static_cast<int>(id);
}

} // namespace kovrel::server
