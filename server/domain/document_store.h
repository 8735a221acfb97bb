#pragma once

#include "doc_kind.h"
#include "doc_records.h"

#include <optional>
#include <vector>

namespace kovrel::server {

class Database;

// The headers and lines of one account's goods documents, row by row. Callers run inside the
// request's write transaction and keep stock in step themselves (DocumentLines).
class DocumentStore {
public:
    DocumentStore(Database& db, qint64 accountId)
        : m_db(db)
        , m_account(accountId) {}

    std::optional<DocHeader> FindHeader(const DocKind& kind, int id) const;
    // Stores a new header under the next number of the kind's numbering; returns the number.
    int InsertHeader(const DocKind& kind, const DocHeader& h);
    void UpdateHeader(const DocKind& kind, const DocHeader& h);
    // The header and all its lines.
    void DeleteDocument(const DocKind& kind, int id);
    // Brings zsum (goods that moved, at purchase prices) and rsum (sale prices) up to date.
    void RecomputeSums(const DocKind& kind, int id);

    std::optional<DocLine> FindLine(const DocKind& kind, int id) const;
    std::vector<DocLine> LinesOf(const DocKind& kind, int docId) const;
    // The component lines of a kit line.
    std::vector<DocLine> ComponentsOf(const DocKind& kind, const DocLine& kit) const;
    // The next line number; a kit line needs it before it is stored, as its components' idRow.
    int NewLineId();
    // Stores a new line under its id (from NewLineId).
    void InsertLine(const DocKind& kind, const DocLine& line);
    void UpdateLine(const DocLine& line);
    void DeleteLine(int id);

    // The goods item's purchase price, which the goods list and the pickers show, follows the
    // receipts.
    void SetLastPurchasePrice(int goods, double zcen);

private:
    // The lines of the kind whose column holds the value, in line order.
    std::vector<DocLine> linesWhere(const DocKind& kind, const char* column, int value) const;

    Database& m_db;
    qint64 m_account;
};

} // namespace kovrel::server
