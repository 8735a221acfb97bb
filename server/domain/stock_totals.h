#pragma once

#include "doc_kind.h"
#include "doc_records.h"
#include "stock_ledger.h"

#include <QList>

#include <map>
#include <vector>

namespace kovrel::server {

class Database;

// Movement totals per goods item, summed over purchase prices: what the line lists report with
// every line so that the client can tell how much stock a change would leave.
class StockTotals {
public:
    using ByGoods = std::map<int, StockMove>;

    StockTotals(Database& db, qint64 accountId)
        : m_db(db)
        , m_account(accountId) {}

    // The totals in a store (every store when `store` is 0 or less) of the goods of a
    // document's lines.
    ByGoods ForDocument(const DocKind& kind, int docId, int store) const;
    ByGoods ForGoods(const QList<int>& goods, int store) const;

    // How many kits the components' stock makes: the smallest balance per unit of a component.
    static double KitsAvailable(const std::vector<DocLine>& components, const ByGoods& totals);

private:
    ByGoods run(const QString& goodsCondition, const QVariantList& binds, int store) const;

    Database& m_db;
    qint64 m_account;
};

} // namespace kovrel::server
