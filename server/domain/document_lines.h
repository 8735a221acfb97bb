#pragma once

#include "doc_kind.h"
#include "doc_records.h"
#include "document_store.h"
#include "kit_lines.h"
#include "stock_ledger.h"

namespace kovrel::server {

class Database;

// Every change of a goods document that moves stock: each one stores the rows, moves the stock
// the lines stand for, brings the document's sums up to date, and ends with the stock check
// (409 when a balance would go below zero; the dispatcher then rolls everything back). Callers
// have checked rights and input.
class DocumentLines {
public:
    DocumentLines(Database& db, qint64 accountId);

    // A new line; a kit in a sales waybill or an order brings its component lines. Returns the
    // new line's ID.
    int Insert(const DocKind& kind, const DocHeader& header, DocLine line);
    // A line's new quantity and prices; a kit line takes its components along.
    void Update(const DocKind& kind, const DocHeader& header, const DocLine& old, const DocLine& now);
    // A line, and with a kit line its components.
    void Delete(const DocKind& kind, const DocHeader& header, const DocLine& line);
    void DeleteDocument(const DocKind& kind, const DocHeader& header);
    // A new header; when the stores change, the lines' stock moves with them.
    void ChangeHeader(const DocKind& kind, const DocHeader& old, const DocHeader& now);

    // A receipt line's price changed from oldPrice (the line already stored at its new price):
    // the sales and transfers that took the stock it priced follow (PurchasePriceChange).
    void CarryPurchasePrice(const DocHeader& header, const DocLine& line, double oldPrice);

    DocumentStore& Store() { return m_store; }
    StockLedger& Ledger() { return m_ledger; }

private:
    void finish(const DocKind& kind, int docId);

    Database& m_db;
    qint64 m_account;
    DocumentStore m_store;
    StockLedger m_ledger;
    KitLines m_kits;
};

} // namespace kovrel::server
