#include "stock_totals.h"

#include "amounts.h"
#include "database.h"

#include <algorithm>
#include <limits>

namespace kovrel::server {

StockTotals::ByGoods StockTotals::ForDocument(const DocKind& kind, int docId, int store) const {
    return run(QStringLiteral("id_goods IN (SELECT id_goods FROM doc_items WHERE account_id = ? AND kind = ? "
                              "AND id_z = ?)"),
               {m_account, kind.code, docId}, store);
}

StockTotals::ByGoods StockTotals::ForGoods(const QList<int>& goods, int store) const {
    if (goods.isEmpty()) return {};
    QStringList marks;
    QVariantList binds;
    for (int g : goods) {
        marks.append(QStringLiteral("?"));
        binds.append(g);
    }
    return run(QStringLiteral("id_goods IN (%1)").arg(marks.join(QLatin1Char(','))), binds, store);
}

StockTotals::ByGoods StockTotals::run(const QString& goodsCondition, const QVariantList& binds,
                                      int store) const {
    auto q = m_db.Query(QStringLiteral("SELECT id_goods, SUM(kol_plus), SUM(kol_minus), SUM(kol_plus_v), "
                                       "SUM(kol_minus_v) FROM stock WHERE account_id = ? %1 AND %2 "
                                       "GROUP BY id_goods")
                            .arg(store > 0 ? QStringLiteral("AND id_store = ?") : QString(), goodsCondition));
    q.Bind(m_account);
    if (store > 0) q.Bind(store);
    for (const QVariant& b : binds)
        q.Bind(b);
    q.Run();
    ByGoods totals;
    while (q.Next())
        totals[q.Int(0)] = {RoundQty(q.Double(1)), RoundQty(q.Double(2)), RoundQty(q.Double(3)),
                            RoundQty(q.Double(4))};
    return totals;
}

double StockTotals::KitsAvailable(const std::vector<DocLine>& components, const ByGoods& totals) {
    double kits = std::numeric_limits<double>::infinity();
    for (const DocLine& p : components) {
        if (p.normKol <= 0) continue;
        const auto it = totals.find(p.goods);
        const double balance = it == totals.end() ? 0 : it->second.Balance();
        kits = std::min(kits, balance / p.normKol);
    }
    return std::isinf(kits) ? 0 : RoundQty(kits);
}

} // namespace kovrel::server
