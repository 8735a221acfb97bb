#include "access_rights.h"

#include "database.h"

namespace kovrel::server {

AccessRights::AccessRights(Database& db, qint64 accountId)
    : m_db(db)
    , m_account(accountId) {}

void AccessRights::SetUserRight(int userId, int code, int value) {
    m_db.Query(
            QStringLiteral("INSERT INTO user_rights (account_id, id_user, id_right, ur) VALUES (?, ?, ?, ?) "
                           "ON CONFLICT (account_id, id_user, id_right) DO UPDATE SET ur = excluded.ur"))
        .Bind(m_account)
        .Bind(userId)
        .Bind(code)
        .Bind(value)
        .Run();
}

void AccessRights::SetStoreLevel(int storeId, int userId, int level) {
    m_db.Query(
            QStringLiteral("INSERT INTO store_rights (account_id, id_store, id_user, ur) VALUES (?, ?, ?, ?) "
                           "ON CONFLICT (account_id, id_store, id_user) DO UPDATE SET ur = excluded.ur"))
        .Bind(m_account)
        .Bind(storeId)
        .Bind(userId)
        .Bind(level)
        .Run();
}

} // namespace kovrel::server
