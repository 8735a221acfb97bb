#include "catalog_seed.h"

#include "accounts.h"
#include "database.h"
#include "id_counter.h"
#include "mailer.h"
#include "password_hasher.h"
#include "search_text.h"
#include "transaction.h"

using namespace kovrel::server;

CatalogSeed::CatalogSeed(const QString& dbArgument) {
    QString error;
    const auto address = DatabaseAddress::Parse(dbArgument, &error);
    if (!address) qFatal("%s", qPrintable(error));
    m_db = std::make_unique<Database>(*address);
    if (!m_db->Open()) qFatal("%s", qPrintable(m_db->Error()));
}

CatalogSeed::~CatalogSeed() = default;

Database& CatalogSeed::Db() {
    return *m_db;
}

qint64 CatalogSeed::Account(const QString& login, const QString& password) {
    PasswordHasher hasher;
    Mailer mailer{QString(), QString()};
    Accounts accounts(*m_db, hasher, mailer);
    Transaction tx(*m_db, Transaction::Mode::Write);
    const qint64 id = accounts.EnsureAccount(login, password);
    tx.Commit();
    return id;
}

int CatalogSeed::User(qint64 account, const QString& login, const QString& password, const QString& name) {
    const int id = NextId(*m_db, account, IdSequence::Users);
    m_db->Query(QStringLiteral("INSERT INTO users (account_id, id, dop_login, login_key, user_name, upname, "
                               "pass_hash) VALUES (?, ?, ?, ?, ?, ?, ?)"))
        .Bind(account)
        .Bind(id)
        .Bind(login)
        .Bind(Accounts::LoginKey(login))
        .Bind(name)
        .Bind(SearchKey(name))
        .Bind(PasswordHasher().Hash(password))
        .Run();
    return id;
}

void CatalogSeed::Right(qint64 account, int user, int code, int value) {
    m_db->Query(
            QStringLiteral("INSERT INTO user_rights (account_id, id_user, id_right, ur) VALUES (?, ?, ?, ?) "
                           "ON CONFLICT (account_id, id_user, id_right) DO UPDATE SET ur = excluded.ur"))
        .Bind(account)
        .Bind(user)
        .Bind(code)
        .Bind(value)
        .Run();
}

void CatalogSeed::StoreRight(qint64 account, int store, int user, int level) {
    m_db->Query(
            QStringLiteral("INSERT INTO store_rights (account_id, id_store, id_user, ur) VALUES (?, ?, ?, ?) "
                           "ON CONFLICT (account_id, id_store, id_user) DO UPDATE SET ur = excluded.ur"))
        .Bind(account)
        .Bind(store)
        .Bind(user)
        .Bind(level)
        .Run();
}

int CatalogSeed::klientRow(qint64 account, int type, const QString& name, int manager) {
    const int id = NextId(*m_db, account, IdSequence::Klients);
    m_db->Query(
            QStringLiteral("INSERT INTO klients (account_id, id, type_kl, name, upname, prim, id_manager) "
                           "VALUES (?, ?, ?, ?, ?, '', ?)"))
        .Bind(account)
        .Bind(id)
        .Bind(type)
        .Bind(name)
        .Bind(SearchKey(name))
        .Bind(manager)
        .Run();
    return id;
}

int CatalogSeed::Store(qint64 account, const QString& name) {
    return klientRow(account, 10, name, 1);
}

int CatalogSeed::Manager(qint64 account, const QString& name) {
    return klientRow(account, 12, name, 1);
}

int CatalogSeed::Klient(qint64 account, int type, const QString& name, int manager) {
    return klientRow(account, type, name, manager);
}

int CatalogSeed::Goods(qint64 account, const QString& name, double pcen, double pack, const QString& code,
                       const QString& barcode, double nds) {
    const int id = NextId(*m_db, account, IdSequence::Goods);
    m_db->Query(QStringLiteral(
                    "INSERT INTO goods (account_id, id, name, upname, code, upcode, barcode, upbarcode, "
                    "pack, pcen, nds) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
        .Bind(account)
        .Bind(id)
        .Bind(name)
        .Bind(SearchKey(name))
        .BindText(code)
        .BindText(SearchKey(code))
        .BindText(barcode)
        .BindText(SearchKey(barcode))
        .Bind(pack)
        .Bind(pcen)
        .Bind(nds)
        .Run();
    return id;
}

int CatalogSeed::Kit(qint64 account, const QString& name, double pcen,
                     const QList<QPair<int, double>>& parts) {
    const int id = Goods(account, name, pcen);
    m_db->Query(QStringLiteral("UPDATE goods SET flag_norm = 1 WHERE account_id = ? AND id = ?"))
        .Bind(account)
        .Bind(id)
        .Run();
    for (const auto& [goods, kol] : parts)
        m_db->Query(QStringLiteral(
                        "INSERT INTO kit_items (account_id, id_kit, id_goods, kol) VALUES (?, ?, ?, ?)"))
            .Bind(account)
            .Bind(id)
            .Bind(goods)
            .Bind(kol)
            .Run();
    return id;
}

void CatalogSeed::MarkDeleted(qint64 account, const QString& table, int id) {
    m_db->Query(QStringLiteral("UPDATE %1 SET flag_del = 1 WHERE account_id = ? AND id = ?").arg(table))
        .Bind(account)
        .Bind(id)
        .Run();
}
