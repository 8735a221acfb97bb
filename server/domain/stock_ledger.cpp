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
    Counted& m = m_moves[{store, goods, RoundPrice(zcen)}];
    m.plus += ToMillionths(move.plus);
    m.minus += ToMillionths(move.minus);
    m.plusV += ToMillionths(move.plusV);
    m.minusV += ToMillionths(move.minusV);
}

void StockLedger::Commit() {
    std::map<std::pair<int, int>, qint64> change; // per store and goods item
    for (const auto& [key, move] : m_moves) {
        if (move.IsZero()) continue;
        writeLot(key, move);
        change[{std::get<0>(key), std::get<1>(key)}] += move.Balance();
    }
    m_moves.clear();
    // Only a balance that went down can have gone below zero.
    for (const auto& [item, delta] : change) {
        if (delta >= 0) continue;
        const qint64 left = balance(item.first, item.second);
        if (left < 0) {
            const auto [goods, store] = names(item.first, item.second);
            throw HttpError::Conflict(
                QStringLiteral("Недостаточное количество товара «%1» на складе «%2»: остаток не может быть "
                               "меньше нуля (получилось бы %3)")
                    .arg(goods, store, FormatQty(1, 3, FromMillionths(left))));
        }
    }
}

void StockLedger::writeLot(const Key& key, const Counted& move) {
    const auto& [store, goods, zcen] = key;
    auto q = m_db.Query(QStringLiteral("SELECT kol_plus, kol_minus, kol_plus_v, kol_minus_v FROM stock "
                                       "WHERE account_id = ? AND id_store = ? AND id_goods = ? AND zcen = ?"))
                 .Bind(m_account)
                 .Bind(store)
                 .Bind(goods)
                 .Bind(zcen)
                 .Run();
    Counted lot;
    const bool exists = q.Next();
    if (exists)
        lot = {ToMillionths(q.Double(0)), ToMillionths(q.Double(1)), ToMillionths(q.Double(2)),
               ToMillionths(q.Double(3))};
    lot = {lot.plus + move.plus, lot.minus + move.minus, lot.plusV + move.plusV, lot.minusV + move.minusV};
    const AmountRange range = RangeOf(AmountKind::Quantity);
    const qint64 limit = ToMillionths(range.limit);
    for (const qint64 total : {lot.plus, lot.minus, lot.plusV, lot.minusV}) {
        if (total < limit && total > -limit) continue;
        const auto [goodsName, storeName] = names(store, goods);
        throw HttpError::Conflict(QStringLiteral("Слишком большое количество товара «%1» на складе «%2»: по "
                                                 "одной цене оно должно быть меньше %3")
                                      .arg(goodsName, storeName, QString::fromUtf8(range.text)));
    }
    const QString sql =
        exists
            ? QStringLiteral("UPDATE stock SET kol_plus = ?, kol_minus = ?, kol_plus_v = ?, kol_minus_v = ? "
                             "WHERE account_id = ? AND id_store = ? AND id_goods = ? AND zcen = ?")
            : QStringLiteral("INSERT INTO stock (kol_plus, kol_minus, kol_plus_v, kol_minus_v, account_id, "
                             "id_store, id_goods, zcen, id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    auto w = m_db.Query(sql);
    w.Bind(FromMillionths(lot.plus))
        .Bind(FromMillionths(lot.minus))
        .Bind(FromMillionths(lot.plusV))
        .Bind(FromMillionths(lot.minusV));
    w.Bind(m_account).Bind(store).Bind(goods).Bind(zcen);
    if (!exists) w.Bind(NextId(m_db, m_account, IdSequence::Stock));
    w.Run();
}

qint64 StockLedger::balance(int store, int goods) const {
    auto q = m_db.Query(QStringLiteral("SELECT kol_plus, kol_plus_v, kol_minus, kol_minus_v FROM stock "
                                       "WHERE account_id = ? AND id_store = ? AND id_goods = ?"))
                 .Bind(m_account)
                 .Bind(store)
                 .Bind(goods)
                 .Run();
    qint64 sum = 0;
    while (q.Next())
        sum += ToMillionths(q.Double(0)) + ToMillionths(q.Double(1)) - ToMillionths(q.Double(2)) -
               ToMillionths(q.Double(3));
    return sum;
}

std::pair<QString, QString> StockLedger::names(int store, int goods) const {
    auto q = m_db.Query(QStringLiteral("SELECT g.name, s.name FROM goods g, klients s WHERE g.account_id = ? "
                                       "AND g.id = ? AND s.account_id = g.account_id AND s.id = ?"))
                 .Bind(m_account)
                 .Bind(goods)
                 .Bind(store)
                 .Run();
    if (q.Next()) return {q.Text(0), q.Text(1)};
    return {QString::number(goods), QString::number(store)};
}

} // namespace kovrel::server
