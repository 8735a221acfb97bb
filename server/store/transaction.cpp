#include "transaction.h"

#include "database.h"
#include "store_error.h"

namespace kovrel::server {

Transaction::Transaction(Database& db, Mode mode)
    : m_db(db) {
    const SqlDialect& d = db.Dialect();
    db.Exec(mode == Mode::Write ? d.BeginWrite() : d.BeginRead());
    m_open = true;
}

Transaction::~Transaction() {
    if (!m_open) return;
    try {
        m_db.Exec(QStringLiteral("ROLLBACK"));
    } catch (const StoreError&) {
        // The connection is gone or the server already ended the transaction: nothing was kept.
    }
}

void Transaction::Commit() {
    m_db.Exec(QStringLiteral("COMMIT"));
    m_open = false;
}

} // namespace kovrel::server
