#include "document_store.h"

#include "database.h"
#include "id_counter.h"
#include "money.h"
#include "search_text.h"

namespace kovrel::server {

namespace {

// NULL for "none", so that the references of the row hold.
QVariant optionalId(int id) {
    return id > 0 ? QVariant(id) : QVariant(QMetaType::fromType<int>());
}

const char* const kLineColumns =
    "id, id_z, id_goods, kol, zcen, rcen, nds, flag_norm, id_row, norm_kol FROM doc_items ";

// The header's own columns, in the order both writes name them.
SqlQuery& bindHeader(SqlQuery& q, const DocHeader& h) {
    return q.Bind(h.date.toString(Qt::ISODate))
        .Bind(optionalId(h.klient))
        .Bind(h.store)
        .Bind(optionalId(h.storeP))
        .BindText(h.prim)
        .BindText(SearchKey(h.prim));
}

} // namespace

std::optional<DocHeader> DocumentStore::FindHeader(const DocKind& kind, int id) const {
    auto q = m_db.Query(QStringLiteral("SELECT id, docdate, COALESCE(id_klient, 0), id_store, "
                                       "COALESCE(id_store_p, 0), prim FROM docs "
                                       "WHERE account_id = ? AND kind = ? AND id = ?"))
                 .Bind(m_account)
                 .Bind(kind.code)
                 .Bind(id)
                 .Run();
    if (!q.Next()) return std::nullopt;
    DocHeader h;
    h.id = q.Int(0);
    h.date = QDate::fromString(q.Text(1), Qt::ISODate);
    h.klient = q.Int(2);
    h.store = q.Int(3);
    h.storeP = q.Int(4);
    h.prim = q.Text(5);
    return h;
}

int DocumentStore::InsertHeader(const DocKind& kind, const DocHeader& h) {
    const int id = NextId(m_db, m_account, *kind.sequence);
    auto q =
        m_db.Query(QStringLiteral("INSERT INTO docs (docdate, id_klient, id_store, id_store_p, prim, upprim, "
                                  "account_id, kind, id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    bindHeader(q, h).Bind(m_account).Bind(kind.code).Bind(id).Run();
    return id;
}

void DocumentStore::UpdateHeader(const DocKind& kind, const DocHeader& h) {
    auto q =
        m_db.Query(QStringLiteral("UPDATE docs SET docdate = ?, id_klient = ?, id_store = ?, id_store_p = ?, "
                                  "prim = ?, upprim = ? WHERE account_id = ? AND kind = ? AND id = ?"));
    bindHeader(q, h).Bind(m_account).Bind(kind.code).Bind(h.id).Run();
}

void DocumentStore::DeleteDocument(const DocKind& kind, int id) {
    m_db.Query(QStringLiteral("DELETE FROM doc_items WHERE account_id = ? AND kind = ? AND id_z = ?"))
        .Bind(m_account)
        .Bind(kind.code)
        .Bind(id)
        .Run();
    m_db.Query(QStringLiteral("DELETE FROM docs WHERE account_id = ? AND kind = ? AND id = ?"))
        .Bind(m_account)
        .Bind(kind.code)
        .Bind(id)
        .Run();
}

// A kit's purchase value is in its components (the goods that moved), its sale value in the
// kit line (components carry no sale price): each counted once. A line is worth its quantity x
// price rounded to the kopeck, as on its papers, so a journal's sum is the paper's total.
void DocumentStore::RecomputeSums(const DocKind& kind, int id) {
    Money zsum;
    Money rsum;
    for (const DocLine& l : LinesOf(kind, id)) {
        const Quantity kol = Quantity::FromDouble(l.kol);
        if (l.flagNorm == 0) zsum += LineSum(kol, Money::FromDouble(l.zcen));
        rsum += LineSum(kol, Money::FromDouble(l.rcen));
    }
    m_db.Query(
            QStringLiteral("UPDATE docs SET zsum = ?, rsum = ? WHERE account_id = ? AND kind = ? AND id = ?"))
        .Bind(zsum.ToDouble())
        .Bind(rsum.ToDouble())
        .Bind(m_account)
        .Bind(kind.code)
        .Bind(id)
        .Run();
}

namespace {

DocLine readLine(const SqlQuery& q) {
    DocLine l;
    l.id = q.Int(0);
    l.docId = q.Int(1);
    l.goods = q.Int(2);
    l.kol = q.Double(3);
    l.zcen = q.Double(4);
    l.rcen = q.Double(5);
    l.nds = q.Double(6);
    l.flagNorm = q.Int(7);
    l.idRow = q.Int(8);
    l.normKol = q.Double(9);
    return l;
}

} // namespace

std::vector<DocLine> DocumentStore::linesWhere(const DocKind& kind, const char* column, int value) const {
    auto q = m_db.Query(QStringLiteral("SELECT %1 WHERE account_id = ? AND kind = ? AND %2 = ? ORDER BY id")
                            .arg(QLatin1String(kLineColumns), QLatin1String(column)))
                 .Bind(m_account)
                 .Bind(kind.code)
                 .Bind(value)
                 .Run();
    std::vector<DocLine> lines;
    while (q.Next())
        lines.push_back(readLine(q));
    return lines;
}

std::optional<DocLine> DocumentStore::FindLine(const DocKind& kind, int id) const {
    std::vector<DocLine> lines = linesWhere(kind, "id", id);
    if (lines.empty()) return std::nullopt;
    return lines.front();
}

std::vector<DocLine> DocumentStore::LinesOf(const DocKind& kind, int docId) const {
    return linesWhere(kind, "id_z", docId);
}

std::vector<DocLine> DocumentStore::ComponentsOf(const DocKind& kind, const DocLine& kit) const {
    std::vector<DocLine> parts;
    for (const DocLine& l : LinesOf(kind, kit.docId))
        if (l.idRow == kit.id && !l.IsKit()) parts.push_back(l);
    return parts;
}

int DocumentStore::NewLineId() {
    return NextId(m_db, m_account, IdSequence::DocItems);
}

void DocumentStore::InsertLine(const DocKind& kind, const DocLine& line) {
    m_db.Query(
            QStringLiteral("INSERT INTO doc_items (account_id, id, kind, id_z, id_goods, kol, zcen, rcen, "
                           "nds, flag_norm, id_row, norm_kol) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
        .Bind(m_account)
        .Bind(line.id)
        .Bind(kind.code)
        .Bind(line.docId)
        .Bind(line.goods)
        .Bind(line.kol)
        .Bind(line.zcen)
        .Bind(line.rcen)
        .Bind(line.nds)
        .Bind(line.flagNorm)
        .Bind(line.idRow)
        .Bind(line.normKol)
        .Run();
}

void DocumentStore::UpdateLine(const DocLine& line) {
    m_db.Query(QStringLiteral(
                   "UPDATE doc_items SET kol = ?, zcen = ?, rcen = ? WHERE account_id = ? AND id = ?"))
        .Bind(line.kol)
        .Bind(line.zcen)
        .Bind(line.rcen)
        .Bind(m_account)
        .Bind(line.id)
        .Run();
}

void DocumentStore::DeleteLine(int id) {
    m_db.Query(QStringLiteral("DELETE FROM doc_items WHERE account_id = ? AND id = ?"))
        .Bind(m_account)
        .Bind(id)
        .Run();
}

void DocumentStore::SetLastPurchasePrice(int goods, double zcen) {
    m_db.Query(QStringLiteral("UPDATE goods SET zcen = ? WHERE account_id = ? AND id = ?"))
        .Bind(zcen)
        .Bind(m_account)
        .Bind(goods)
        .Run();
}

} // namespace kovrel::server
