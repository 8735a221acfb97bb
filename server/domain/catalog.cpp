#include "catalog.h"

#include "accounts.h"
#include "database.h"
#include "id_counter.h"
#include "search_text.h"

namespace kovrel::server {

Catalog::Catalog(Database& db, qint64 accountId)
    : m_db(db)
    , m_account(accountId) {}

QString Catalog::tableName(Table table) {
    switch (table) {
    case Table::Klients:
        return QStringLiteral("klients");
    case Table::Grnames:
        return QStringLiteral("grnames");
    case Table::Goods:
        return QStringLiteral("goods");
    case Table::Users:
        return QStringLiteral("users");
    }
    return {};
}

int Catalog::InsertKlient(int kind, const QString& name, const QString& prim, int managerId) {
    const int id = NextId(m_db, m_account, IdSequence::Klients);
    m_db.Query(QStringLiteral("INSERT INTO klients (account_id, id, type_kl, name, upname, prim, id_manager) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?)"))
        .Bind(m_account)
        .Bind(id)
        .Bind(kind)
        .BindText(name)
        .BindText(SearchKey(name))
        .BindText(prim)
        .Bind(managerId)
        .Run();
    return id;
}

void Catalog::UpdateKlient(int id, const QString& name, const QString& prim, std::optional<int> managerId) {
    m_db.Query(QStringLiteral("UPDATE klients SET name = ?, upname = ?, prim = ?, "
                              "id_manager = COALESCE(?, id_manager) WHERE account_id = ? AND id = ?"))
        .BindText(name)
        .BindText(SearchKey(name))
        .BindText(prim)
        .Bind(managerId ? QVariant(*managerId) : QVariant(QMetaType(QMetaType::Int)))
        .Bind(m_account)
        .Bind(id)
        .Run();
}

int Catalog::InsertGroup(const QString& name, const QString& prim) {
    const int id = NextId(m_db, m_account, IdSequence::Grnames);
    m_db.Query(
            QStringLiteral("INSERT INTO grnames (account_id, id, name, upname, prim) VALUES (?, ?, ?, ?, ?)"))
        .Bind(m_account)
        .Bind(id)
        .BindText(name)
        .BindText(SearchKey(name))
        .BindText(prim)
        .Run();
    return id;
}

void Catalog::UpdateGroup(int id, const QString& name, const QString& prim) {
    m_db.Query(QStringLiteral(
                   "UPDATE grnames SET name = ?, upname = ?, prim = ? WHERE account_id = ? AND id = ?"))
        .BindText(name)
        .BindText(SearchKey(name))
        .BindText(prim)
        .Bind(m_account)
        .Bind(id)
        .Run();
}

namespace {

// name, upname, prim, code, upcode, barcode, upbarcode, pack, pcen: the columns that insert and
// update write alike, in that order.
SqlQuery& bindGoodColumns(SqlQuery& q, const TRecGood& good) {
    return q.BindText(good.Name)
        .BindText(SearchKey(good.Name))
        .BindText(good.Prim)
        .BindText(good.Code)
        .BindText(SearchKey(good.Code))
        .BindText(good.BarCode)
        .BindText(SearchKey(good.BarCode))
        .Bind(good.Pack)
        .Bind(good.PCen);
}

} // namespace

int Catalog::InsertGood(const TRecGood& good, bool kit) {
    const int id = NextId(m_db, m_account, IdSequence::Goods);
    auto q = m_db.Query(QStringLiteral(
        "INSERT INTO goods (account_id, id, name, upname, prim, code, upcode, barcode, upbarcode, "
        "pack, pcen, zcen, nds, gg_code, flag_norm, okei) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.Bind(m_account).Bind(id);
    bindGoodColumns(q, good)
        .Bind(good.ZCen)
        .Bind(good.Nds)
        .Bind(good.GrCode)
        .Bind(kit ? 1 : 0)
        .BindText(good.OKEI)
        .Run();
    return id;
}

void Catalog::SetGoodUnit(int id, const QString& okei) {
    m_db.Query(QStringLiteral("UPDATE goods SET okei = ? WHERE account_id = ? AND id = ?"))
        .BindText(okei)
        .Bind(m_account)
        .Bind(id)
        .Run();
}

void Catalog::UpdateGood(int id, const TRecGood& good) {
    auto q =
        m_db.Query(QStringLiteral("UPDATE goods SET name = ?, upname = ?, prim = ?, code = ?, upcode = ?, "
                                  "barcode = ?, upbarcode = ?, pack = ?, pcen = ?, nds = ?, gg_code = ? "
                                  "WHERE account_id = ? AND id = ?"));
    bindGoodColumns(q, good).Bind(good.Nds).Bind(good.GrCode).Bind(m_account).Bind(id).Run();
}

int Catalog::InsertUser(const QString& userName, const QString& login) {
    const int id = NextId(m_db, m_account, IdSequence::Users);
    m_db.Query(QStringLiteral("INSERT INTO users (account_id, id, dop_login, login_key, user_name, upname) "
                              "VALUES (?, ?, ?, ?, ?, ?)"))
        .Bind(m_account)
        .Bind(id)
        .BindText(login)
        .BindText(Accounts::LoginKey(login))
        .BindText(userName)
        .BindText(SearchKey(userName))
        .Run();
    return id;
}

void Catalog::UpdateUser(int id, const QString& userName, const QString& login) {
    m_db.Query(QStringLiteral("UPDATE users SET dop_login = ?, login_key = ?, user_name = ?, upname = ? "
                              "WHERE account_id = ? AND id = ?"))
        .BindText(login)
        .BindText(Accounts::LoginKey(login))
        .BindText(userName)
        .BindText(SearchKey(userName))
        .Bind(m_account)
        .Bind(id)
        .Run();
}

void Catalog::SetDeleted(Table table, int id, bool deleted) {
    m_db.Query(QStringLiteral("UPDATE %1 SET flag_del = ? WHERE account_id = ? AND id = ?")
                   .arg(tableName(table)))
        .Bind(deleted ? 1 : 0)
        .Bind(m_account)
        .Bind(id)
        .Run();
}

void Catalog::SaveRequisites(const TRecBank& b) {
    m_db
        .Query(QStringLiteral(
            "INSERT INTO requisites (account_id, id_klient, name, bname, rs, ks, bik, inn, kpp, adres, "
            "tel, okpo, ogrn, okpd, dir, gbuh) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
            "ON CONFLICT (account_id, id_klient) DO UPDATE SET name = excluded.name, "
            "bname = excluded.bname, rs = excluded.rs, ks = excluded.ks, bik = excluded.bik, "
            "inn = excluded.inn, kpp = excluded.kpp, adres = excluded.adres, tel = excluded.tel, "
            "okpo = excluded.okpo, ogrn = excluded.ogrn, okpd = excluded.okpd, dir = excluded.dir, "
            "gbuh = excluded.gbuh"))
        .Bind(m_account)
        .Bind(b.ID)
        .BindText(b.Name)
        .BindText(b.BName)
        .BindText(b.Rs)
        .BindText(b.Ks)
        .BindText(b.Bik)
        .BindText(b.Inn)
        .BindText(b.Kpp)
        .BindText(b.Adres)
        .BindText(b.Tel)
        .BindText(b.Okpo)
        .BindText(b.Ogrn)
        .BindText(b.Okpd)
        .BindText(b.Dir)
        .BindText(b.GBuh)
        .Run();
}

void Catalog::SaveEdoID(int id, const QString& edoId) {
    m_db.Query(QStringLiteral("INSERT INTO requisites (account_id, id_klient, edo_id) VALUES (?, ?, ?) "
                              "ON CONFLICT (account_id, id_klient) DO UPDATE SET edo_id = excluded.edo_id"))
        .Bind(m_account)
        .Bind(id)
        .BindText(edoId)
        .Run();
}

int Catalog::KlientKind(int id) const {
    auto q = m_db.Query(QStringLiteral("SELECT type_kl FROM klients WHERE account_id = ? AND id = ?"))
                 .Bind(m_account)
                 .Bind(id)
                 .Run();
    return q.Next() ? q.Int(0) : 0;
}

bool Catalog::Exists(Table table, int id) const {
    auto q =
        m_db.Query(QStringLiteral("SELECT 1 FROM %1 WHERE account_id = ? AND id = ?").arg(tableName(table)))
            .Bind(m_account)
            .Bind(id)
            .Run();
    return q.Next();
}

std::optional<bool> Catalog::IsKit(int goodsId) const {
    auto q = m_db.Query(QStringLiteral("SELECT flag_norm FROM goods WHERE account_id = ? AND id = ?"))
                 .Bind(m_account)
                 .Bind(goodsId)
                 .Run();
    if (!q.Next()) return std::nullopt;
    return q.Int(0) != 0;
}

int Catalog::UserWithLogin(const QString& login, int exceptId) const {
    auto q = m_db.Query(QStringLiteral("SELECT id FROM users WHERE account_id = ? AND login_key = ? "
                                       "AND flag_del = 0 AND id <> ? ORDER BY id"))
                 .Bind(m_account)
                 .Bind(Accounts::LoginKey(login))
                 .Bind(exceptId)
                 .Run();
    return q.Next() ? q.Int(0) : 0;
}

} // namespace kovrel::server
