#include "report_sql.h"

#include "doc_kind.h"
#include "search_text.h"
#include "sql_conditions.h"

namespace kovrel::server {

namespace ReportSql {

namespace {

// "all stores": every store but those the person may not see.
void storeScope(SqlConditions& where, const ReportParams& p, const QString& column) {
    if (p.store > 0) {
        where.Add(column + QStringLiteral(" = ?"), {p.store});
    } else if (!p.deniedStores.isEmpty()) {
        QStringList marks;
        QVariantList ids;
        for (int id : p.deniedStores) {
            marks.append(QStringLiteral("?"));
            ids.append(id);
        }
        where.Add(QStringLiteral("%1 NOT IN (%2)").arg(column, marks.join(QLatin1Char(','))), ids);
    }
}

void goodsName(SqlConditions& where, const ReportParams& p) {
    const QString pattern = ContainsPattern(p.find);
    if (pattern == QLatin1String("%")) return;
    where.Add(QStringLiteral("(g.upname LIKE ? ESCAPE '!' OR g.upcode LIKE ? ESCAPE '!' "
                             "OR g.upbarcode LIKE ? ESCAPE '!')"),
              {pattern, pattern, pattern});
}

// The documents' counterparty and its manager.
void counterparty(SqlConditions& where, const ReportParams& p) {
    if (p.klient > 0) where.Add(QStringLiteral("d.id_klient = ?"), {p.klient});
    if (p.manager > 0)
        where.Add(
            QStringLiteral("d.id_klient IN (SELECT id FROM klients WHERE account_id = ? AND id_manager = ?)"),
            {p.account, p.manager});
}

BoundSql bound(const QString& sql, const QVariantList& first, const SqlConditions& where,
               const QVariantList& last = {}) {
    return {sql, first + where.Values() + last};
}

const char* const kBalance = "kol_plus + kol_plus_v - kol_minus - kol_minus_v";

} // namespace

// The lots in scope are summed per goods item and price first (a covering index serves that),
// then named from the goods. With the zero flag, goods without a lot in scope come as one row
// of zeros at their last purchase price, and lots whose balance is zero stay; a goods item
// marked deleted shows only while it has stock.
BoundSql Stock(const ReportParams& p) {
    SqlConditions lots;
    lots.Add(QStringLiteral("account_id = ?"), {p.account});
    storeScope(lots, p, QStringLiteral("id_store"));
    SqlConditions names;
    goodsName(names, p);
    if (!p.find.trimmed().isEmpty())
        lots.Add(QStringLiteral("id_goods IN (SELECT g.id FROM goods g WHERE g.account_id = ?%1)")
                     .arg(names.And()),
                 QVariantList{p.account} + names.Values());
    const QString balance = QStringLiteral("ABS(%1) > 0.0000005");
    SqlConditions where = names;
    if (p.zero)
        where.Add(QStringLiteral("(g.flag_del = 0 OR %1)").arg(balance.arg(QStringLiteral("s.balance"))));
    return bound(
        QStringLiteral(
            "SELECT COALESCE(s.id, 0) AS id, g.flag_del AS flag_del, g.name AS name, g.prim AS prim, "
            "g.pack AS pack, g.barcode AS barcode, g.code AS code, g.pcen AS pcen, "
            "COALESCE(s.zcen, g.zcen) AS zcen, g.id AS id_goods, COALESCE(s.kol_plus, 0) AS kol_plus, "
            "COALESCE(s.kol_plus_v, 0) AS kol_plus_v, COALESCE(s.kol_minus, 0) AS kol_minus, "
            "COALESCE(s.kol_minus_v, 0) AS kol_minus_v FROM goods g %1 JOIN ("
            "SELECT id_goods, zcen, MIN(id) AS id, SUM(kol_plus) AS kol_plus, SUM(kol_plus_v) AS kol_plus_v, "
            "SUM(kol_minus) AS kol_minus, SUM(kol_minus_v) AS kol_minus_v, SUM(%2) AS balance "
            "FROM stock WHERE %3 GROUP BY id_goods, zcen%4) s ON s.id_goods = g.id "
            "WHERE g.account_id = ? AND g.flag_norm = 0%5 ORDER BY g.name, g.id, zcen")
            .arg(p.zero ? QStringLiteral("LEFT") : QString(), QLatin1String(kBalance),
                 lots.And().mid(5), // without the leading " AND "
                 p.zero ? QString()
                        : QStringLiteral(" HAVING ") +
                              balance.arg(QStringLiteral("SUM(%1)").arg(QLatin1String(kBalance))),
                 where.And()),
        lots.Values() + QVariantList{p.account}, where);
}

BoundSql GoodsMovement(const ReportParams& p, Movement m) {
    const bool transfer = m == Movement::TransfersIn || m == Movement::TransfersOut;
    SqlConditions where;
    where.Add(QStringLiteral("i.kol <> 0 AND d.docdate <= ?"), {p.dateEnd});
    if (transfer) {
        // Within all stores a transfer moves nothing.
        if (p.store <= 0) where.Add(QStringLiteral("1 = 0"));
        where.Add(m == Movement::TransfersIn ? QStringLiteral("d.id_store_p = ?")
                                             : QStringLiteral("d.id_store = ?"),
                  {p.store});
    } else {
        storeScope(where, p, QStringLiteral("d.id_store"));
    }
    const DocKind& kind = m == Movement::Receipts ? DocKind::Prh()
                          : m == Movement::Sales  ? DocKind::Nkl()
                                                  : DocKind::Vnk();
    // The other side of a transfer is the other store.
    const QString other = m == Movement::TransfersIn ? QStringLiteral("d.id_store")
                          : transfer                 ? QStringLiteral("d.id_store_p")
                                                     : QStringLiteral("d.id_klient");
    const QString kol = m == Movement::Receipts || m == Movement::TransfersIn ? QStringLiteral("kol_prh")
                                                                              : QStringLiteral("kol_nkl");
    return bound(
        QStringLiteral(
            "SELECT i.id AS id, d.id AS doc_id, d.docdate AS docdate, COALESCE(%1, 0) AS id_klients, "
            "COALESCE(k.name, '') AS name_klients, i.kol AS %2 FROM doc_items i "
            "JOIN docs d ON d.account_id = i.account_id AND d.kind = i.kind AND d.id = i.id_z "
            "LEFT JOIN klients k ON k.account_id = d.account_id AND k.id = %1 "
            "WHERE i.account_id = ? AND i.id_goods = ? AND i.kind = ? AND i.flag_norm = 0%3 "
            "ORDER BY d.docdate, d.id, i.id")
            .arg(other, kol, where.And()),
        {p.account, p.goods, kind.code}, where);
}

namespace {

// Lines sold or received as such in the period: a kit as its kit line, not its components.
SqlConditions periodLines(const ReportParams& p, bool sales) {
    SqlConditions where;
    where.Add(QStringLiteral("d.docdate >= ? AND d.docdate <= ? AND (i.flag_norm = 1 OR i.id_row = 0)"),
              {p.dateBegin, p.dateEnd});
    if (sales)
        counterparty(where, p);
    else if (p.klient > 0)
        where.Add(QStringLiteral("d.id_klient = ?"), {p.klient});
    storeScope(where, p, QStringLiteral("d.id_store"));
    return where;
}

const char* const kLinesFrom =
    "FROM doc_items i JOIN docs d ON d.account_id = i.account_id AND d.kind = i.kind "
    "AND d.id = i.id_z ";

} // namespace

BoundSql Structure(const ReportParams& p, bool sales) {
    SqlConditions where = periodLines(p, sales);
    goodsName(where, p);
    return bound(QStringLiteral("SELECT g.id AS id, g.name AS name, g.pack AS pack, SUM(i.kol) AS kol, "
                                "SUM(i.kol * i.zcen) AS zsum%1 %2"
                                "JOIN goods g ON g.account_id = i.account_id AND g.id = i.id_goods "
                                "WHERE i.account_id = ? AND i.kind = ?%3 "
                                "GROUP BY g.account_id, g.id ORDER BY g.name, g.id")
                     .arg(sales ? QStringLiteral(", SUM(i.kol * i.rcen) AS rsum") : QString(),
                          QLatin1String(kLinesFrom), where.And()),
                 {p.account, (sales ? DocKind::Nkl() : DocKind::Prh()).code}, where);
}

BoundSql DailyTotals(const ReportParams& p, bool sales) {
    const SqlConditions where = periodLines(p, sales);
    return bound(
        QStringLiteral("SELECT d.docdate AS docdate, SUM(i.kol) AS kol, SUM(i.kol * i.zcen) AS zsum, "
                       "SUM(i.kol * i.rcen) AS rsum %1WHERE i.account_id = ? AND i.kind = ?%2 "
                       "GROUP BY d.docdate ORDER BY d.docdate")
            .arg(QLatin1String(kLinesFrom), where.And()),
        {p.account, (sales ? DocKind::Nkl() : DocKind::Prh()).code}, where);
}

namespace {

// Where a settlement's amounts come from: documents of a kind (their sum) or money operations
// (the counterparty on one side).
struct SettlementSource {
    QString from;   // table with alias x
    QString klient; // the counterparty's column
    QString amount; // the amount's column
    QVariantList kindValue;
};

SettlementSource sourceOf(Settlement s) {
    switch (s) {
    case Settlement::Sales:
        return {QStringLiteral("docs x"),
                QStringLiteral("x.id_klient"),
                QStringLiteral("x.rsum"),
                {DocKind::Nkl().code}};
    case Settlement::Receipts:
        return {QStringLiteral("docs x"),
                QStringLiteral("x.id_klient"),
                QStringLiteral("x.zsum"),
                {DocKind::Prh().code}};
    case Settlement::MoneyFrom:
        return {QStringLiteral("money x"), QStringLiteral("x.klient_i"), QStringLiteral("x.sum_m"), {}};
    case Settlement::MoneyTo:
        return {QStringLiteral("money x"), QStringLiteral("x.klient_p"), QStringLiteral("x.sum_m"), {}};
    }
    return {};
}

QString kindCondition(const SettlementSource& src) {
    return src.kindValue.isEmpty() ? QString() : QStringLiteral(" AND x.kind = ?");
}

} // namespace

BoundSql Debts(const ReportParams& p, Settlement s) {
    const SettlementSource src = sourceOf(s);
    SqlConditions where;
    if (p.manager > 0) where.Add(QStringLiteral("k.id_manager = ?"), {p.manager});
    return bound(QStringLiteral("SELECT k.id AS id_klient, k.name AS name_klient, k.type_kl AS group_kl, "
                                "SUM(%1) AS doc_sum FROM %2 JOIN klients k ON k.account_id = x.account_id "
                                "AND k.id = %3 WHERE x.account_id = ?%4 AND x.docdate <= ?%5 "
                                "GROUP BY k.account_id, k.id ORDER BY k.name, k.id")
                     .arg(src.amount, src.from, src.klient, kindCondition(src), where.And()),
                 QVariantList{p.account} + src.kindValue + QVariantList{p.dateEnd}, where);
}

BoundSql SettlementCard(const ReportParams& p, Settlement s) {
    const SettlementSource src = sourceOf(s);
    return {QStringLiteral("SELECT x.id AS id, x.docdate AS sel_docdate, %1 AS sel_docsum FROM %2 "
                           "WHERE x.account_id = ?%3 AND %4 = ? AND x.docdate <= ? ORDER BY x.docdate, x.id")
                .arg(src.amount, src.from, kindCondition(src), src.klient),
            QVariantList{p.account} + src.kindValue + QVariantList{p.klient, p.dateEnd}};
}

} // namespace ReportSql

} // namespace kovrel::server
