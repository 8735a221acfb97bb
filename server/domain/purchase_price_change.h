#pragma once

#include "doc_records.h"

#include <QSet>

#include <vector>

namespace kovrel::server {

class Database;
class DocumentStore;
class StockLedger;

// When a receipt line's purchase price is corrected, the goods it brought in keep their new
// price wherever they went. A lot (store, goods item, price) whose every inflow has been
// re-priced is wholly made of re-priced goods, so its outflows are re-priced too: sales lines
// (kit components included, with their kit line's price) and transfer lines, whose receiving
// store's lot is then looked at the same way. A lot that other receipts or transfers also fed
// keeps its outflows at the old price: nobody can tell whose goods they were.
class PurchasePriceChange {
public:
    PurchasePriceChange(Database& db, qint64 accountId, DocumentStore& store, StockLedger& ledger)
        : m_db(db)
        , m_account(accountId)
        , m_store(store)
        , m_ledger(ledger) {}

    // `line` is the receipt line into `store`, already stored at its new price.
    void Carry(int store, const DocLine& line, double oldPrice);

private:
    // A line of the goods item at the old price, with the stores its document names.
    struct Flow {
        int kind;
        DocLine line;
        DocHeader header;
    };
    std::vector<Flow> flowsAt(int goods, double price) const;
    static bool feeds(const Flow& f, int store);
    static bool drains(const Flow& f, int store);
    void reprice(const Flow& f, double price, QSet<QPair<int, int>>& docs, QSet<int>& kits);

    Database& m_db;
    qint64 m_account;
    DocumentStore& m_store;
    StockLedger& m_ledger;
};

} // namespace kovrel::server
