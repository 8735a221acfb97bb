#include "stock_ledger.h"

#include "amounts.h"
#include "database.h"
#include "http_error.h"
#include "id_counter.h"
#include "number_text.h"

namespace kovrel::server {

void StockLedger::AddLine(const DocKind& kind, const DocHeader& header, const DocLine& line, double sign) {
    // A kit line stands for its components, which move the goods.
    if (line.IsKit()) return;
    const double kol = sign * line.kol;
    switch (kind.side) {
    case StockSide::In:
        Add(header.store, line.goods, line.zcen, {.plus = kol});
        break;
    case StockSide::Out:
        Add(header.store, line.goods, line.zcen, {.minus = kol});
        break;
    case StockSide::Transfer:
        Add(header.store, line.goods, line.zcen, {.minusV = kol});
        Add(header.storeP, line.goods, line.zcen, {.plusV = kol});
        break;
    case StockSide::None:
        break;
    }
}

void StockLedger::Add(int store, int goods, double zcen, const StockMove& move) {
    StockMove& m = m_moves[{store, goods, RoundPrice(zcen)}];
    m.plus += move.plus;
    m.minus += move.minus;
    m.plusV += move.plusV;
    m.minusV += move.minusV;
}

void StockLedger::Commit() {
    std::map<std::pair<int, int>, double> change; // per store and goods item
    for (const auto& [key, move] : m_moves) {
        if (RoundQty(move.plus) == 0 && RoundQty(move.minus) == 0 && RoundQty(move.plusV) == 0 &&
            RoundQty(move.minusV) == 0)
            continue;
        writeLot(key, move);
        change[{std::get<0>(key), std::get<1>(key)}] += move.Balance();
    }
    m_moves.clear();
    // Only a balance that went down can have gone below zero.
    for (const auto& [item, delta] : change) {
        if (RoundQty(delta) >= 0) continue;
        const double balance = Balance(item.first, item.second);
        if (BelowZero(balance)) refuse(item.first, item.second, balance);
    }
}

void StockLedger::writeLot(const Key& key, const StockMove& move) {
    const auto& [store, goods, zcen] = key;
    auto q = m_db.Query(QStringLiteral("SELECT kol_plus, kol_minus, kol_plus_v, kol_minus_v FROM stock "
                                       "WHERE account_id = ? AND id_store = ? AND id_goods = ? AND zcen = ?"))
                 .Bind(m_account)
                 .Bind(store)
                 .Bind(goods)
                 .Bind(zcen)
                 .Run();
    StockMove lot;
    const bool exists = q.Next();
    if (exists) lot = {q.Double(0), q.Double(1), q.Double(2), q.Double(3)};
    lot = {RoundQty(lot.plus + move.plus), RoundQty(lot.minus + move.minus), RoundQty(lot.plusV + move.plusV),
           RoundQty(lot.minusV + move.minusV)};
    const QString sql =
        exists
            ? QStringLiteral("UPDATE stock SET kol_plus = ?, kol_minus = ?, kol_plus_v = ?, kol_minus_v = ? "
                             "WHERE account_id = ? AND id_store = ? AND id_goods = ? AND zcen = ?")
            : QStringLiteral("INSERT INTO stock (kol_plus, kol_minus, kol_plus_v, kol_minus_v, account_id, "
                             "id_store, id_goods, zcen, id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    auto w = m_db.Query(sql);
    w.Bind(lot.plus).Bind(lot.minus).Bind(lot.plusV).Bind(lot.minusV);
    w.Bind(m_account).Bind(store).Bind(goods).Bind(zcen);
    if (!exists) w.Bind(NextId(m_db, m_account, IdSequence::Stock));
    w.Run();
}

double StockLedger::Balance(int store, int goods) const {
    auto q =
        m_db.Query(QStringLiteral("SELECT COALESCE(SUM(kol_plus + kol_plus_v - kol_minus - kol_minus_v), 0) "
                                  "FROM stock WHERE account_id = ? AND id_store = ? AND id_goods = ?"))
            .Bind(m_account)
            .Bind(store)
            .Bind(goods)
            .Run();
    return q.Next() ? RoundQty(q.Double(0)) : 0;
}

void StockLedger::refuse(int store, int goods, double balance) const {
    auto q = m_db.Query(QStringLiteral("SELECT g.name, s.name FROM goods g, klients s WHERE g.account_id = ? "
                                       "AND g.id = ? AND s.account_id = g.account_id AND s.id = ?"))
                 .Bind(m_account)
                 .Bind(goods)
                 .Bind(store)
                 .Run();
    const bool named = q.Next();
    throw HttpError::Conflict(
        QStringLiteral("Недостаточное количество товара «%1» на складе «%2»: остаток не может быть меньше "
                       "нуля (получилось бы %3)")
            .arg(named ? q.Text(0) : QString::number(goods), named ? q.Text(1) : QString::number(store),
                 FormatQty(1, 3, balance)));
}

} // namespace kovrel::server
