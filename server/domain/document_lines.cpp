#include "document_lines.h"

#include "amounts.h"
#include "database.h"
#include "purchase_price_change.h"

namespace kovrel::server {

DocumentLines::DocumentLines(Database& db, qint64 accountId)
    : m_db(db)
    , m_account(accountId)
    , m_store(db, accountId)
    , m_ledger(db, accountId)
    , m_kits(db, accountId) {}

void DocumentLines::finish(const DocKind& kind, int docId) {
    m_store.RecomputeSums(kind, docId);
    m_ledger.Commit();
}

int DocumentLines::Insert(const DocKind& kind, const DocHeader& header, DocLine line) {
    line.id = m_store.NewLineId();
    line.docId = header.id;
    std::vector<DocLine> parts;
    if (line.IsKit()) {
        line.idRow = line.id;
        parts = m_kits.Components(kind, header, line);
        line.zcen = KitLines::KitPrice(parts);
    }
    m_store.InsertLine(kind, line);
    m_ledger.AddLine(kind, header, line, 1);
    for (DocLine& p : parts) {
        p.id = m_store.NewLineId();
        m_store.InsertLine(kind, p);
        m_ledger.AddLine(kind, header, p, 1);
    }
    finish(kind, header.id);
    return line.id;
}

void DocumentLines::Update(const DocKind& kind, const DocHeader& header, const DocLine& old,
                           const DocLine& now) {
    m_store.UpdateLine(now);
    m_ledger.AddLine(kind, header, old, -1);
    m_ledger.AddLine(kind, header, now, 1);
    if (now.IsKit()) {
        std::vector<DocLine> parts = m_store.ComponentsOf(kind, now);
        for (DocLine& p : parts) {
            m_ledger.AddLine(kind, header, p, -1);
            p.kol = RoundQty(now.kol * p.normKol);
            m_store.UpdateLine(p);
            m_ledger.AddLine(kind, header, p, 1);
        }
    }
    finish(kind, header.id);
}

void DocumentLines::Delete(const DocKind& kind, const DocHeader& header, const DocLine& line) {
    if (line.IsKit()) {
        for (const DocLine& p : m_store.ComponentsOf(kind, line)) {
            m_store.DeleteLine(p.id);
            m_ledger.AddLine(kind, header, p, -1);
        }
    }
    m_store.DeleteLine(line.id);
    m_ledger.AddLine(kind, header, line, -1);
    finish(kind, header.id);
}

void DocumentLines::DeleteDocument(const DocKind& kind, const DocHeader& header) {
    for (const DocLine& l : m_store.LinesOf(kind, header.id))
        m_ledger.AddLine(kind, header, l, -1);
    m_store.DeleteDocument(kind, header.id);
    m_ledger.Commit();
}

void DocumentLines::ChangeHeader(const DocKind& kind, const DocHeader& old, const DocHeader& now) {
    m_store.UpdateHeader(kind, now);
    if (old.store != now.store || old.storeP != now.storeP) {
        for (const DocLine& l : m_store.LinesOf(kind, now.id)) {
            m_ledger.AddLine(kind, old, l, -1);
            m_ledger.AddLine(kind, now, l, 1);
        }
    }
    m_ledger.Commit();
}

void DocumentLines::CarryPurchasePrice(const DocHeader& header, const DocLine& line, double oldPrice) {
    PurchasePriceChange(m_db, m_account, m_store, m_ledger).Carry(header.store, line, oldPrice);
    m_ledger.Commit();
}

} // namespace kovrel::server
