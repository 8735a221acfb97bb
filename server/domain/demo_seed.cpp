#include "demo_seed.h"

#include "access_rights.h"
#include "accounts.h"
#include "catalog.h"
#include "database.h"
#include "demo_catalog.h"
#include "demo_documents.h"
#include "password_hasher.h"
#include "right_codes.h"
#include "transaction.h"

namespace kovrel::server {

namespace {

// The limited user sells and takes orders, may not delete waybills, and sees the stock report.
// Of the stores, one is closed to the user and one open for reports only.
void seedUser(Database& db, qint64 accountId, const DemoCatalog& catalog) {
    const int userId = Catalog(db, accountId).InsertUser(Demo::UserName, Demo::UserLogin);
    PasswordHasher hasher;
    db.Query(QStringLiteral("UPDATE users SET pass_hash = ? WHERE account_id = ? AND id = ?"))
        .Bind(hasher.Hash(Demo::UserPassword))
        .Bind(accountId)
        .Bind(userId)
        .Run();
    AccessRights rights(db, accountId);
    const QList<QPair<int, int>> granted = {
        {Right::NklView, 1},     {Right::NklFull, 1},     {Right::NklLock, 7}, {Right::NklNoDelete, 1},
        {Right::InvoiceView, 1}, {Right::InvoiceFull, 1}, {Right::RepOst, 1},
    };
    for (const auto& [code, value] : granted)
        rights.SetUserRight(userId, code, value);
    rights.SetStoreLevel(catalog.stores.at(Demo::UserReportsOnlyStore), userId, 2);
    rights.SetStoreLevel(catalog.stores.at(Demo::UserClosedStore), userId, 0);
}

} // namespace

bool SeedDemo(Database& db, Accounts& accounts) {
    Transaction tx(db, Transaction::Mode::Write);
    bool created = false;
    const qint64 accountId = accounts.EnsureAccount(Demo::AdminLogin, Demo::AdminPassword, &created);
    if (!created) return false;
    const DemoCatalog catalog = SeedDemoCatalog(db, accountId);
    seedUser(db, accountId, catalog);
    SeedDemoDocuments(db, accountId, QDate::currentDate());
    tx.Commit();
    return true;
}

} // namespace kovrel::server
