#include "demo_documents.h"

#include "amounts.h"
#include "database.h"
#include "document_lines.h"
#include "money_operations.h"
#include "stock_totals.h"

#include <QList>
#include <QRandomGenerator>

#include <algorithm>

namespace kovrel::server {

namespace {

struct DemoGoods {
    int id;
    double pcen;
    double zcen;
    bool kit;
    double nds; // the goods item's VAT rate, which its lines carry as the service's writes give it
};

class DemoTrade {
public:
    DemoTrade(Database& db, qint64 account)
        : m_db(db)
        , m_account(account)
        , m_lines(db, account)
        , m_money(db, account)
        , m_random(20240301) {}

    bool LoadCatalog();
    void Run(const QDate& from, const QDate& to);

private:
    QList<int> klients(const QString& condition) const;
    int pick(const QList<int>& from) { return from[m_random.bounded(static_cast<int>(from.size()))]; }
    int chance(int percent) { return static_cast<int>(m_random.bounded(100)) < percent; }
    DocHeader header(const DocKind& kind, const QDate& day, int store, int other);
    double purchasePrice(const DemoGoods& g, const QDate& day) const;
    double salePrice(int goods, double zcen) const;
    void receipt(const QDate& day);
    void sale(const QDate& day);
    void transfer(const QDate& day);
    void order(const QDate& day);
    void pay(const QDate& day, int from, int to, double sum, int docLink, int orderLink, const QString& prim);
    double documentSum(const DocKind& kind, int id, bool sales) const;

    Database& m_db;
    qint64 m_account;
    DocumentLines m_lines;
    MoneyOperations m_money;
    QRandomGenerator m_random;
    QList<int> m_stores, m_trade, m_accounts, m_overheads, m_owners;
    QList<DemoGoods> m_goods, m_kits;
    QDate m_until; // the last day of the demo: nothing is dated after it
};

QList<int> DemoTrade::klients(const QString& condition) const {
    auto q = m_db.Query(QStringLiteral(
                            "SELECT id FROM klients WHERE account_id = ? AND flag_del = 0 AND %1 ORDER BY id")
                            .arg(condition))
                 .Bind(m_account)
                 .Run();
    QList<int> ids;
    while (q.Next())
        ids.append(q.Int(0));
    return ids;
}

bool DemoTrade::LoadCatalog() {
    m_stores = klients(QStringLiteral("type_kl = 10"));
    m_trade = klients(QStringLiteral("type_kl = 1"));
    m_accounts = klients(QStringLiteral("type_kl = 2"));
    m_overheads = klients(QStringLiteral("type_kl = 3"));
    m_owners = klients(QStringLiteral("type_kl = 4"));
    auto q = m_db
                 .Query(QStringLiteral(
                     "SELECT id, pcen, zcen, flag_norm, nds FROM goods WHERE account_id = ? AND flag_del = 0 "
                     "ORDER BY id"))
                 .Bind(m_account)
                 .Run();
    while (q.Next())
        (q.Int(3) ? m_kits : m_goods)
            .append({q.Int(0), q.Double(1), q.Double(2), q.Int(3) != 0, q.Double(4)});
    return !m_stores.isEmpty() && m_trade.size() >= 2 && !m_accounts.isEmpty() && m_goods.size() >= 5;
}

DocHeader DemoTrade::header(const DocKind& kind, const QDate& day, int store, int other) {
    DocHeader h;
    h.date = day;
    h.store = store;
    (kind.twoStores ? h.storeP : h.klient) = other;
    h.id = m_lines.Store().InsertHeader(kind, h);
    return h;
}

// Purchase prices rise a little from month to month, so stock comes at several prices.
double DemoTrade::purchasePrice(const DemoGoods& g, const QDate& day) const {
    const double base = g.zcen > 0 ? g.zcen : (g.pcen > 0 ? g.pcen * 0.65 : 10);
    return RoundPrice(base * (1 + 0.03 * (day.month() % 3)));
}

// The goods item's sale price, or its purchase price with a margin when it has none.
double DemoTrade::salePrice(int goods, double zcen) const {
    for (const DemoGoods& g : m_goods)
        if (g.id == goods && g.pcen > 0) return g.pcen;
    return RoundPrice(zcen * 1.4);
}

// Suppliers are the first half of the trade counterparties, buyers the second.
void DemoTrade::receipt(const QDate& day) {
    const int supplier = m_trade[m_random.bounded(static_cast<int>(m_trade.size() / 2))];
    const DocHeader h = header(DocKind::Prh(), day, m_stores.first(), supplier);
    for (int i = 0; i < 6; ++i) {
        const DemoGoods& g = m_goods[m_random.bounded(static_cast<int>(m_goods.size()))];
        DocLine line;
        line.goods = g.id;
        line.nds = g.nds;
        line.kol = 10 + m_random.bounded(50);
        line.zcen = purchasePrice(g, day);
        m_lines.Insert(DocKind::Prh(), h, line);
        m_lines.Store().SetLastPurchasePrice(g.id, line.zcen);
    }
    if (chance(80))
        pay(day.addDays(2), pick(m_accounts), supplier, documentSum(DocKind::Prh(), h.id, false), h.id, 0,
            QStringLiteral("Оплата поставщику"));
}

void DemoTrade::sale(const QDate& day) {
    const int store = pick(m_stores);
    const int buyer =
        m_trade[m_trade.size() / 2 + m_random.bounded(static_cast<int>(m_trade.size() - m_trade.size() / 2))];
    QList<int> ids;
    for (const DemoGoods& g : m_goods)
        ids.append(g.id);
    const StockTotals::ByGoods stock = StockTotals(m_db, m_account).ForGoods(ids, store);
    QList<DemoGoods> onHand;
    for (const DemoGoods& g : m_goods)
        if (stock.count(g.id) && stock.at(g.id).Balance() >= 1) onHand.append(g);
    if (onHand.isEmpty()) return;
    const DocHeader h = header(DocKind::Nkl(), day, store, buyer);
    KitLines kits(m_db, m_account);
    for (int i = 0; i < 4 && !onHand.isEmpty(); ++i) {
        const DemoGoods g = onHand.takeAt(m_random.bounded(static_cast<int>(onHand.size())));
        DocLine line;
        line.goods = g.id;
        line.nds = g.nds;
        line.kol = std::min(std::floor(stock.at(g.id).Balance()), 1.0 + m_random.bounded(8));
        line.zcen = kits.PriceLeaving(store, g.id);
        line.rcen = g.pcen > 0 ? g.pcen : RoundPrice(line.zcen * 1.4);
        m_lines.Insert(DocKind::Nkl(), h, line);
    }
    if (!m_kits.isEmpty() && chance(25)) {
        const DemoGoods& kit = m_kits[m_random.bounded(static_cast<int>(m_kits.size()))];
        DocLine line;
        line.goods = kit.id;
        line.nds = kit.nds;
        line.flagNorm = 1;
        line.rcen = kit.pcen;
        const int id = m_lines.Insert(DocKind::Nkl(), h, line);
        const std::optional<DocLine> stored = m_lines.Store().FindLine(DocKind::Nkl(), id);
        const auto parts = m_lines.Store().ComponentsOf(DocKind::Nkl(), *stored);
        const double available =
            StockTotals::KitsAvailable(parts, StockTotals(m_db, m_account).ForGoods(ids, store));
        DocLine one = *stored;
        one.kol = std::min(1.0, std::floor(available));
        if (one.kol > 0)
            m_lines.Update(DocKind::Nkl(), h, *stored, one);
        else
            m_lines.Delete(DocKind::Nkl(), h, *stored);
    }
    const double sum = documentSum(DocKind::Nkl(), h.id, true);
    if (chance(70))
        pay(day.addDays(m_random.bounded(3)), buyer, pick(m_accounts), sum, h.id, 0,
            QStringLiteral("Оплата покупателя"));
    else if (chance(60))
        pay(day.addDays(5), buyer, pick(m_accounts), RoundPrice(sum / 2), h.id, 0,
            QStringLiteral("Частичная оплата"));
}

void DemoTrade::transfer(const QDate& day) {
    if (m_stores.size() < 2) return;
    const int from = m_stores.first(),
              to = m_stores[1 + m_random.bounded(static_cast<int>(m_stores.size() - 1))];
    auto q =
        m_db
            .Query(QStringLiteral(
                "SELECT id_goods, zcen, kol_plus + kol_plus_v - kol_minus - kol_minus_v, "
                "(SELECT nds FROM goods g WHERE g.account_id = stock.account_id AND g.id = stock.id_goods) "
                "FROM stock WHERE account_id = ? AND id_store = ? "
                "AND kol_plus + kol_plus_v - kol_minus - kol_minus_v >= 4 ORDER BY id LIMIT 3"))
            .Bind(m_account)
            .Bind(from)
            .Run();
    QList<DocLine> lines;
    while (q.Next()) {
        DocLine line;
        line.goods = q.Int(0);
        line.zcen = q.Double(1);
        line.rcen = salePrice(line.goods, line.zcen); // a transfer is worth what its goods sell for
        line.kol = std::floor(q.Double(2) / 2);
        line.nds = q.Double(3);
        lines.append(line);
    }
    if (lines.isEmpty()) return;
    const DocHeader h = header(DocKind::Vnk(), day, from, to);
    for (const DocLine& l : lines)
        m_lines.Insert(DocKind::Vnk(), h, l);
}

void DemoTrade::order(const QDate& day) {
    const int buyer = m_trade.last();
    const DocHeader h = header(DocKind::Invoice(), day, m_stores.first(), buyer);
    for (int i = 0; i < 3; ++i) {
        const DemoGoods& g = m_goods[m_random.bounded(static_cast<int>(m_goods.size()))];
        DocLine line;
        line.goods = g.id;
        line.nds = g.nds;
        line.kol = 5 + m_random.bounded(20);
        line.zcen = g.zcen;
        line.rcen = g.pcen;
        m_lines.Insert(DocKind::Invoice(), h, line);
    }
    if (chance(50))
        pay(day, buyer, pick(m_accounts), documentSum(DocKind::Invoice(), h.id, true), 0, h.id,
            QStringLiteral("Предоплата по счету"));
}

double DemoTrade::documentSum(const DocKind& kind, int id, bool sales) const {
    auto q =
        m_db.Query(QStringLiteral("SELECT zsum, rsum FROM docs WHERE account_id = ? AND kind = ? AND id = ?"))
            .Bind(m_account)
            .Bind(kind.code)
            .Bind(id)
            .Run();
    return q.Next() ? RoundPrice(q.Double(sales ? 1 : 0)) : 0;
}

void DemoTrade::pay(const QDate& day, int from, int to, double sum, int docLink, int orderLink,
                    const QString& prim) {
    if (sum <= 0) return;
    // A payment due after the last day is made on it: the demo shows nothing still to come.
    m_money.Insert({0, std::min(day, m_until), from, to, sum, prim, docLink, orderLink});
}

void DemoTrade::Run(const QDate& from, const QDate& to) {
    m_until = to;
    if (!m_owners.isEmpty())
        pay(from, m_owners.first(), m_accounts.first(), 1000000, 0, 0, QStringLiteral("Взнос учредителя"));
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        const int weekday = day.dayOfWeek();
        if (weekday == 1 || day == from) receipt(day);
        if (weekday == 2 || weekday == 4 || weekday == 5) sale(day);
        if (weekday == 3 && day.weekNumber() % 2 == 0) transfer(day);
        if (weekday == 3) order(day);
        if (day.day() == 5 && !m_overheads.isEmpty())
            pay(day, m_accounts.first(), m_overheads.first(), 45000, 0, 0, QStringLiteral("Аренда"));
    }
}

} // namespace

void SeedDemoDocuments(Database& db, qint64 accountId, const QDate& today) {
    DemoTrade trade(db, accountId);
    if (!trade.LoadCatalog()) return;
    const QDate start = today.addMonths(-3);
    trade.Run(QDate(start.year(), start.month(), 1), today);
}

} // namespace kovrel::server
