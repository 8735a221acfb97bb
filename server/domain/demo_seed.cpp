#include "demo_seed.h"

#include "accounts.h"
#include "database.h"
#include "demo_documents.h"
#include "id_counter.h"
#include "password_hasher.h"
#include "right_codes.h"
#include "transaction.h"

namespace kovrel::server {

namespace {

// The limited user sells and takes orders, may not delete waybills, and sees the stock report.
void seedUser(Database& db, qint64 accountId) {
    const int userId = NextId(db, accountId, IdSequence::Users);
    PasswordHasher hasher;
    db.Query(QStringLiteral(
                 "INSERT INTO users (account_id, id, dop_login, login_key, user_name, upname, pass_hash) "
                 "VALUES (?, ?, ?, ?, ?, ?, ?)"))
        .Bind(accountId)
        .Bind(userId)
        .Bind(Demo::UserLogin)
        .Bind(Accounts::LoginKey(Demo::UserLogin))
        .Bind(Demo::UserName)
        .Bind(Demo::UserName.toUpper())
        .Bind(hasher.Hash(Demo::UserPassword))
        .Run();
    const QList<QPair<int, int>> rights = {
        {Right::NklView, 1},     {Right::NklFull, 1},     {Right::NklLock, 7}, {Right::NklNoDelete, 1},
        {Right::InvoiceView, 1}, {Right::InvoiceFull, 1}, {Right::RepOst, 1},
    };
    for (const auto& [code, value] : rights)
        db.Query(QStringLiteral(
                     "INSERT INTO user_rights (account_id, id_user, id_right, ur) VALUES (?, ?, ?, ?)"))
            .Bind(accountId)
            .Bind(userId)
            .Bind(code)
            .Bind(value)
            .Run();
}

} // namespace

bool SeedDemo(Database& db, Accounts& accounts) {
    Transaction tx(db, Transaction::Mode::Write);
    bool created = false;
    const qint64 accountId = accounts.EnsureAccount(Demo::AdminLogin, Demo::AdminPassword, &created);
    if (!created) return false;
    seedUser(db, accountId);
    SeedDemoDocuments(db, accountId, QDate::currentDate());
    tx.Commit();
    return true;
}

} // namespace kovrel::server
