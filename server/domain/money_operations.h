#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace kovrel::server {

class Database;

// A money operation: `sum` from counterparty `from` to `to`. docLink names the receipt or sales
// waybill it pays, orderLink the order; 0 for none.
struct MoneyOp {
    int id = 0;
    QDate date;
    int from = 0;
    int to = 0;
    double sum = 0;
    QString prim;
    int docLink = 0;
    int orderLink = 0;
};

// The money operations of one account, row by row, inside the caller's transaction.
class MoneyOperations {
public:
    MoneyOperations(Database& db, qint64 accountId)
        : m_db(db)
        , m_account(accountId) {}

    std::optional<MoneyOp> Find(int id) const;
    // Stores a new operation under the next number; returns it.
    int Insert(const MoneyOp& op);
    void Update(const MoneyOp& op);
    void Delete(int id);

private:
    Database& m_db;
    qint64 m_account;
};

} // namespace kovrel::server
