#pragma once

#include "doc_kind.h"
#include "doc_records.h"

#include <map>
#include <tuple>

namespace kovrel::server {

class Database;

// Movement totals of one lot (store, goods item, purchase price), or a change of them.
struct StockMove {
    double plus = 0;   // received (receipts)
    double minus = 0;  // issued (sales waybills)
    double plusV = 0;  // received by internal transfers
    double minusV = 0; // sent away by internal transfers

    double Balance() const { return plus + plusV - minus - minusV; }
};

// Keeps the stock table in step with the document lines of one write. The changes of a request
// are gathered first (a line update is its old movement taken back plus its new one), then
// written at once by Commit, which also refuses the whole request with 409 when a store's
// balance of a goods item, over all its purchase prices, would end below zero, or a lot's total
// would leave the range in which it stays exact. The request's transaction holds the account's
// write lock, so no other write can slip between the check and the commit. Quantities are
// counted in whole millionths, so that the stock always equals the sum of its lines.
class StockLedger {
public:
    StockLedger(Database& db, qint64 accountId)
        : m_db(db)
        , m_account(accountId) {}

    // Adds (sign 1) or takes back (sign -1) what a line of a document with this header moves.
    void AddLine(const DocKind& kind, const DocHeader& header, const DocLine& line, double sign);
    void Add(int store, int goods, double zcen, const StockMove& move);
    void Commit();

private:
    using Key = std::tuple<int, int, double>; // store, goods, purchase price
    // A StockMove in millionths.
    struct Counted {
        qint64 plus = 0, minus = 0, plusV = 0, minusV = 0;
        qint64 Balance() const { return plus + plusV - minus - minusV; }
        bool IsZero() const { return plus == 0 && minus == 0 && plusV == 0 && minusV == 0; }
    };

    void writeLot(const Key& key, const Counted& move);
    // Balance of a goods item in a store over all its purchase prices, in millionths.
    qint64 balance(int store, int goods) const;
    // The goods item's and the store's names, for a refusal.
    std::pair<QString, QString> names(int store, int goods) const;

    Database& m_db;
    qint64 m_account;
    std::map<Key, Counted> m_moves;
};

} // namespace kovrel::server
