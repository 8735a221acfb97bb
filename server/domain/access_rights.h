#pragma once

#include <QtGlobal>

namespace kovrel::server {

class Database;

// What the users of one account may do: function rights (a value per right code: 0/1, or a
// number of days for a lock) and access to stores (0 none, 1 full, 2 limited; a store without a
// stored level is fully accessible). Runs inside the caller's write transaction; the caller has
// checked that the user, the store and the values are valid.
class AccessRights {
public:
    AccessRights(Database& db, qint64 accountId);

    void SetUserRight(int userId, int code, int value);
    void SetStoreLevel(int storeId, int userId, int level);

    // The level that a store without a stored one has.
    static constexpr int kDefaultStoreLevel = 1;

private:
    Database& m_db;
    qint64 m_account;
};

} // namespace kovrel::server
