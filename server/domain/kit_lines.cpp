#include "kit_lines.h"

#include "amounts.h"
#include "database.h"

namespace kovrel::server {

std::vector<DocLine> KitLines::Components(const DocKind& kind, const DocHeader& header,
                                          const DocLine& kit) const {
    auto q = m_db.Query(QStringLiteral("SELECT k.id_goods, k.kol, g.nds FROM kit_items k JOIN goods g "
                                       "ON g.account_id = k.account_id AND g.id = k.id_goods "
                                       "WHERE k.account_id = ? AND k.id_kit = ? ORDER BY k.id_goods"))
                 .Bind(m_account)
                 .Bind(kit.goods)
                 .Run();
    std::vector<DocLine> parts;
    while (q.Next()) {
        DocLine p;
        p.docId = kit.docId;
        p.goods = q.Int(0);
        p.normKol = q.Double(1);
        p.nds = q.Double(2);
        p.idRow = kit.id;
        parts.push_back(p);
    }
    for (DocLine& p : parts)
        p.zcen = kind.side == StockSide::Out ? PriceLeaving(header.store, p.goods) : lastPrice(p.goods);
    Scale(parts, kit.kol);
    return parts;
}

double KitLines::PriceLeaving(int store, int goods) const {
    auto q = m_db.Query(QStringLiteral(
                            "SELECT zcen FROM stock WHERE account_id = ? AND id_store = ? AND id_goods = ? "
                            "AND kol_plus + kol_plus_v - kol_minus - kol_minus_v > 0 "
                            "ORDER BY kol_plus + kol_plus_v - kol_minus - kol_minus_v DESC, zcen DESC"))
                 .Bind(m_account)
                 .Bind(store)
                 .Bind(goods)
                 .Run();
    return q.Next() ? q.Double(0) : lastPrice(goods);
}

double KitLines::lastPrice(int goods) const {
    auto q = m_db.Query(QStringLiteral("SELECT zcen FROM goods WHERE account_id = ? AND id = ?"))
                 .Bind(m_account)
                 .Bind(goods)
                 .Run();
    return q.Next() ? RoundPrice(q.Double(0)) : 0;
}

double KitLines::KitPrice(const std::vector<DocLine>& components) {
    double sum = 0;
    for (const DocLine& p : components)
        sum += p.normKol * p.zcen;
    return RoundPrice(sum);
}

void KitLines::Scale(std::vector<DocLine>& components, double kitKol) {
    for (DocLine& p : components)
        p.kol = RoundQty(kitKol * p.normKol);
}

} // namespace kovrel::server
