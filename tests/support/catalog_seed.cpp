#include "catalog_seed.h"

#include "access_rights.h"
#include "accounts.h"
#include "catalog.h"
#include "database.h"
#include "kits.h"
#include "mailer.h"
#include "password_hasher.h"
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

// The service reuses replies until an account's data version changes; writes made here beside
// it raise the version as its own writes do.
void CatalogSeed::touch(qint64 account) {
    m_db->Query(QStringLiteral("UPDATE accounts SET data_version = data_version + 1 WHERE id = ?"))
        .Bind(account)
        .Run();
}

int CatalogSeed::User(qint64 account, const QString& login, const QString& password, const QString& name) {
    touch(account);
    const int id = Catalog(*m_db, account).InsertUser(name, login);
    m_db->Query(QStringLiteral("UPDATE users SET pass_hash = ? WHERE account_id = ? AND id = ?"))
        .Bind(PasswordHasher().Hash(password))
        .Bind(account)
        .Bind(id)
        .Run();
    return id;
}

void CatalogSeed::Right(qint64 account, int user, int code, int value) {
    touch(account);
    AccessRights(*m_db, account).SetUserRight(user, code, value);
}

void CatalogSeed::StoreRight(qint64 account, int store, int user, int level) {
    touch(account);
    AccessRights(*m_db, account).SetStoreLevel(store, user, level);
}

int CatalogSeed::Store(qint64 account, const QString& name) {
    touch(account);
    return Catalog(*m_db, account).InsertKlient(10, name, QString());
}

int CatalogSeed::Manager(qint64 account, const QString& name) {
    touch(account);
    return Catalog(*m_db, account).InsertKlient(12, name, QString());
}

int CatalogSeed::Klient(qint64 account, int type, const QString& name, int manager) {
    touch(account);
    return Catalog(*m_db, account).InsertKlient(type, name, QString(), manager);
}

namespace {

TRecGood goodsRecord(const QString& name, double pcen, double pack, const QString& code,
                     const QString& barcode, double nds) {
    TRecGood g;
    g.Name = name;
    g.PCen = pcen;
    g.Pack = pack;
    g.Code = code;
    g.BarCode = barcode;
    g.Nds = nds;
    return g;
}

} // namespace

int CatalogSeed::Goods(qint64 account, const QString& name, double pcen, double pack, const QString& code,
                       const QString& barcode, double nds) {
    touch(account);
    return Catalog(*m_db, account).InsertGood(goodsRecord(name, pcen, pack, code, barcode, nds));
}

int CatalogSeed::Kit(qint64 account, const QString& name, double pcen,
                     const QList<QPair<int, double>>& parts) {
    touch(account);
    QList<KitComponent> components;
    for (const auto& [goods, kol] : parts)
        components.append({goods, kol});
    return Kits(*m_db, account).Create(goodsRecord(name, pcen, 1, {}, {}, 0), components);
}

void CatalogSeed::MarkDeleted(qint64 account, const QString& table, int id) {
    touch(account);
    m_db->Query(QStringLiteral("UPDATE %1 SET flag_del = 1 WHERE account_id = ? AND id = ?").arg(table))
        .Bind(account)
        .Bind(id)
        .Run();
}
