#include "purchase_price_change.h"

#include "amounts.h"
#include "database.h"
#include "doc_kind.h"
#include "document_store.h"
#include "kit_lines.h"
#include "stock_ledger.h"

#include <algorithm>

namespace kovrel::server {

std::vector<PurchasePriceChange::Flow> PurchasePriceChange::flowsAt(int goods, double price) const {
    auto q = m_db.Query(QStringLiteral("SELECT i.kind, i.id, i.id_z, i.kol, i.zcen, i.rcen, i.id_row, "
                                       "d.id_store, COALESCE(d.id_store_p, 0) FROM doc_items i JOIN docs d "
                                       "ON d.account_id = i.account_id AND d.kind = i.kind AND d.id = i.id_z "
                                       "WHERE i.account_id = ? AND i.id_goods = ? AND i.zcen = ? "
                                       "AND i.flag_norm = 0 AND i.kind IN (?, ?, ?)"))
                 .Bind(m_account)
                 .Bind(goods)
                 .Bind(price)
                 .Bind(DocKind::Prh().code)
                 .Bind(DocKind::Nkl().code)
                 .Bind(DocKind::Vnk().code)
                 .Run();
    std::vector<Flow> flows;
    while (q.Next()) {
        Flow f;
        f.kind = q.Int(0);
        f.line.id = q.Int(1);
        f.line.docId = q.Int(2);
        f.line.goods = goods;
        f.line.kol = q.Double(3);
        f.line.zcen = q.Double(4);
        f.line.rcen = q.Double(5);
        f.line.idRow = q.Int(6);
        f.header.id = f.line.docId;
        f.header.store = q.Int(7);
        f.header.storeP = q.Int(8);
        flows.push_back(f);
    }
    return flows;
}

bool PurchasePriceChange::feeds(const Flow& f, int store) {
    return (f.kind == DocKind::Prh().code && f.header.store == store) ||
           (f.kind == DocKind::Vnk().code && f.header.storeP == store);
}

bool PurchasePriceChange::drains(const Flow& f, int store) {
    return (f.kind == DocKind::Nkl().code || f.kind == DocKind::Vnk().code) && f.header.store == store;
}

void PurchasePriceChange::Carry(int store, const DocLine& line, double oldPrice) {
    const std::vector<Flow> flows = flowsAt(line.goods, RoundPrice(oldPrice));
    QSet<int> repriced = {line.id};
    QSet<int> stores = {store};
    QSet<int> drained;
    // Until nothing changes: drain every store whose inflows at the old price are all re-priced.
    for (bool changed = true; changed;) {
        changed = false;
        for (int s : QSet<int>(stores)) {
            if (drained.contains(s)) continue;
            const bool pure = std::all_of(flows.begin(), flows.end(), [&](const Flow& f) {
                return !feeds(f, s) || repriced.contains(f.line.id);
            });
            if (!pure) continue;
            drained.insert(s);
            changed = true;
            for (const Flow& f : flows) {
                if (!drains(f, s)) continue;
                repriced.insert(f.line.id);
                if (f.kind == DocKind::Vnk().code) stores.insert(f.header.storeP);
            }
        }
    }
    QSet<QPair<int, int>> docs;
    QSet<int> kits;
    for (const Flow& f : flows)
        if (f.line.id != line.id && repriced.contains(f.line.id)) reprice(f, line.zcen, docs, kits);
    for (int kitId : kits) {
        std::optional<DocLine> kit = m_store.FindLine(DocKind::Nkl(), kitId);
        if (!kit) continue;
        kit->zcen = KitLines::KitPrice(m_store.ComponentsOf(DocKind::Nkl(), *kit));
        m_store.UpdateLine(*kit);
    }
    for (const auto& [kind, id] : docs)
        m_store.RecomputeSums(DocKind::FromCode(kind), id);
}

void PurchasePriceChange::reprice(const Flow& f, double price, QSet<QPair<int, int>>& docs, QSet<int>& kits) {
    const DocKind& kind = DocKind::FromCode(f.kind);
    DocLine now = f.line;
    now.zcen = price;
    m_store.UpdateLine(now);
    m_ledger.AddLine(kind, f.header, f.line, -1);
    m_ledger.AddLine(kind, f.header, now, 1);
    docs.insert({f.kind, f.line.docId});
    if (f.line.idRow != 0) kits.insert(f.line.idRow);
}

} // namespace kovrel::server
