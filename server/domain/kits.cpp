#include "kits.h"

#include "catalog.h"
#include "database.h"

#include <QSet>

#include <cmath>

namespace kovrel::server {

Kits::Kits(Database& db, qint64 accountId)
    : m_db(db)
    , m_account(accountId) {}

int Kits::Create(const TRecGood& kit, const QList<KitComponent>& components) {
    check(0, components);
    const int id = Catalog(m_db, m_account).InsertGood(kit, true);
    SetComposition(id, components);
    return id;
}

void Kits::check(int kitId, const QList<KitComponent>& components) const {
    const Catalog catalog(m_db, m_account);
    if (kitId != 0 && catalog.IsKit(kitId) != true) throw KitError("not a kit of the account");
    if (components.isEmpty()) throw KitError("a kit needs at least one component");
    QSet<int> seen;
    for (const KitComponent& c : components) {
        if (!(std::isfinite(c.kol) && c.kol > 0)) throw KitError("a component's quantity must be above 0");
        if (catalog.IsKit(c.goodsId) != false)
            throw KitError("a component must be a goods item of the account");
        if (seen.contains(c.goodsId)) throw KitError("a goods item appears twice in the kit");
        seen.insert(c.goodsId);
    }
}

void Kits::SetComposition(int kitId, const QList<KitComponent>& components) {
    check(kitId, components);
    m_db.Query(QStringLiteral("DELETE FROM kit_items WHERE account_id = ? AND id_kit = ?"))
        .Bind(m_account)
        .Bind(kitId)
        .Run();
    for (const KitComponent& c : components)
        m_db.Query(QStringLiteral(
                       "INSERT INTO kit_items (account_id, id_kit, id_goods, kol) VALUES (?, ?, ?, ?)"))
            .Bind(m_account)
            .Bind(kitId)
            .Bind(c.goodsId)
            .Bind(c.kol)
            .Run();
}

QList<KitComponent> Kits::Composition(int kitId) const {
    auto q =
        m_db
            .Query(QStringLiteral(
                "SELECT id_goods, kol FROM kit_items WHERE account_id = ? AND id_kit = ? ORDER BY id_goods"))
            .Bind(m_account)
            .Bind(kitId)
            .Run();
    QList<KitComponent> out;
    while (q.Next())
        out.append({q.Int(0), q.Double(1)});
    return out;
}

} // namespace kovrel::server
