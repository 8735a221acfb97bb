#include "money_operations.h"

#include "database.h"
#include "id_counter.h"
#include "search_text.h"

namespace kovrel::server {

namespace {

// The columns after the key, in the order both writes bind them.
void bindFields(SqlQuery& q, const MoneyOp& op) {
    q.Bind(op.date.toString(Qt::ISODate))
        .Bind(op.from)
        .Bind(op.to)
        .Bind(op.sum)
        .BindText(op.prim)
        .BindText(SearchKey(op.prim))
        .Bind(op.docLink)
        .Bind(op.orderLink);
}

} // namespace

std::optional<MoneyOp> MoneyOperations::Find(int id) const {
    auto q = m_db.Query(QStringLiteral(
                            "SELECT docdate, klient_i, klient_p, sum_m, prim, doc_link, doc_link_invoice "
                            "FROM money WHERE account_id = ? AND id = ?"))
                 .Bind(m_account)
                 .Bind(id)
                 .Run();
    if (!q.Next()) return std::nullopt;
    return MoneyOp{id,          QDate::fromString(q.Text(0), Qt::ISODate),
                   q.Int(1),    q.Int(2),
                   q.Double(3), q.Text(4),
                   q.Int(5),    q.Int(6)};
}

int MoneyOperations::Insert(const MoneyOp& op) {
    const int id = NextId(m_db, m_account, IdSequence::Money);
    auto q = m_db.Query(
        QStringLiteral("INSERT INTO money (docdate, klient_i, klient_p, sum_m, prim, upprim, doc_link, "
                       "doc_link_invoice, account_id, id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    bindFields(q, op);
    q.Bind(m_account).Bind(id).Run();
    return id;
}

void MoneyOperations::Update(const MoneyOp& op) {
    auto q = m_db.Query(
        QStringLiteral("UPDATE money SET docdate = ?, klient_i = ?, klient_p = ?, sum_m = ?, prim = ?, "
                       "upprim = ?, doc_link = ?, doc_link_invoice = ? WHERE account_id = ? AND id = ?"));
    bindFields(q, op);
    q.Bind(m_account).Bind(op.id).Run();
}

void MoneyOperations::Delete(int id) {
    m_db.Query(QStringLiteral("DELETE FROM money WHERE account_id = ? AND id = ?"))
        .Bind(m_account)
        .Bind(id)
        .Run();
}

} // namespace kovrel::server
