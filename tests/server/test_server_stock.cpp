// Stock on the service: the never-below-zero rule for every kind of change, under concurrent
// requests to one or two servers, kits, purchase price corrections, the spreadsheet import, and
// a server killed in the middle of a write.
#include "demo_documents.h"
#include "session.h"
#include "shop_fixture.h"
#include "transaction.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <atomic>
#include <csignal>
#include <latch>
#include <thread>

namespace {

using Line = ShopFixture::Line;
using Fields = QList<QPair<QString, QString>>;

QString num(double v) {
    return QString::number(v);
}

Fields saleLine(int doc, int goods, double kol, double zcen = 50) {
    return {{"id_z", num(doc)},
            {"id_goods", num(goods)},
            {"kol", num(kol)},
            {"zcen", num(zcen)},
            {"rcen", "80.00"}};
}

Fields lineUpdate(int id, double kol, double rcen = 80) {
    return {{"id", num(id)}, {"kol", num(kol)}, {"rcen", num(rcen)}};
}

Fields receiptLineUpdate(int id, int goods, double kol, double zcen, double oldKol, double oldZcen,
                         int compare) {
    return {{"id", num(id)},          {"kol", num(kol)},        {"zcen", num(zcen)},
            {"id_goods", num(goods)}, {"old_kol", num(oldKol)}, {"old_zcen", num(oldZcen)},
            {"compare", num(compare)}};
}

std::unique_ptr<TRecDocItem> lineOf(const QString& stem, int lineId, int store, int storeP = 0) {
    TRecDocItem rec;
    rec.ID = lineId;
    TFormLoad fl;
    if (stem == QLatin1String("nkl")) return fl.SelectNklItemOne(rec, store);
    if (stem == QLatin1String("invoice")) return fl.SelectInvoiceItemOne(rec, store);
    if (stem == QLatin1String("prh")) return fl.SelectPrhItemOne(rec, store);
    return fl.SelectVnkItemOne(rec, store, storeP);
}

RecordList<TRecDocItem> linesOf(int nkl, int store) {
    RecordList<TRecDocItem> lines;
    TFormLoad().SelectNklItemsList(lines, nkl, store);
    return lines;
}

} // namespace

class TestServerStock : public ShopTest {
    Q_OBJECT

    int lineCount() { return shop.Count(QStringLiteral("doc_items")); }

private Q_SLOTS:
    // Every write that would leave a store's balance of a goods item below zero is refused
    // with 409 and leaves everything as it was; a write that keeps it at zero or above passes.
    void stockNeverGoesBelowZero() {
        const int prh = shop.Receipt(ids.main, {{ids.sugar, 10, 50}});
        const int nkl = shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer);
        const int lines = lineCount();

        const ServerReply tooMany =
            ShopFixture::Call("/insert-nkl-items.php", saleLine(nkl, ids.sugar, 10.5));
        QCOMPARE(tooMany.status, 409);
        QCOMPARE(tooMany.text,
                 QStringLiteral("Недостаточное количество товара «Сахар» на складе «Основной склад»: "
                                "остаток не может быть меньше нуля (получилось бы -0.500)"));
        QCOMPARE(lineCount(), lines);
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 10.0);

        const int line = ShopFixture::AddLine(QStringLiteral("nkl"), nkl, {ids.sugar, 0, 50, 80});
        QCOMPARE(ShopFixture::Call("/update-nkl-items.php", lineUpdate(line, 10.001)).status, 409);
        QCOMPARE(ShopFixture::Call("/update-nkl-items.php", lineUpdate(line, 10)).status, 200);
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 0.0);
        QCOMPARE(lineOf(QStringLiteral("nkl"), line, ids.main)->GetOstI(), 0.0);

        // The goods sold cannot be taken back out of the store by undoing their receipt.
        RecordList<TRecDocItem> received;
        TFormLoad().SelectPrhItemsList(received, prh, ids.main);
        QCOMPARE(ShopFixture::Call("/delete-prh.php", {{"id", num(prh)}}).status, 409);
        QCOMPARE(ShopFixture::Call("/delete-prh-items-one.php", {{"id", num(received[0]->ID)}}).status, 409);
        QCOMPARE(ShopFixture::Call("/update-prh-items.php",
                                   receiptLineUpdate(received[0]->ID, ids.sugar, 9, 50, 10, 50, 0))
                     .status,
                 409);
        QCOMPARE(shop.Count(QStringLiteral("docs")), 2);
        QCOMPARE(lineCount(), lines + 1);

        // A waybill moved to a store without the goods takes them from there: refused. Moved to
        // a store that has them, its stock moves along.
        const Fields header = {{"id", num(nkl)},
                               {"dat", QDate::currentDate().toString(Qt::ISODate)},
                               {"id_stores", num(ids.second)},
                               {"id_klients", num(ids.buyer)},
                               {"prim_win", ""}};
        QCOMPARE(ShopFixture::Call("/update-nkl.php", header).status, 409);
        QVERIFY(shop.Receipt(ids.second, {{ids.sugar, 12, 50}}));
        QCOMPARE(ShopFixture::Call("/update-nkl.php", header).status, 200);
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 10.0);
        QCOMPARE(shop.Stock(ids.second, ids.sugar), 2.0);

        // Deleting a sales waybill only gives stock back.
        QCOMPARE(ShopFixture::Call("/delete-nkl.php", {{"id", num(nkl)}}).status, 200);
        QCOMPARE(shop.Stock(ids.second, ids.sugar), 12.0);

        // The balance counts every purchase price of the goods item in the store.
        QVERIFY(shop.Receipt(ids.third, {{ids.salt, 3, 10}, {ids.salt, 5, 12}}));
        QVERIFY(shop.Sale(ids.third, {{ids.salt, 6, 12, 30}}));
        QVERIFY(!shop.Sale(ids.third, {{ids.salt, 2.5, 10, 30}}));
        QCOMPARE(shop.Stock(ids.third, ids.salt), 2.0);
    }

    // An amount beyond the range a double keeps exact (quantities below 10^9, prices and sums
    // below 10^12) is refused by every write that takes one, naming the field, and nothing is
    // written; the stock of a lot stays in that range too.
    void amountsBeyondTheExactRangeAreRefused() {
        const int prh = shop.Receipt(ids.main, {{ids.sugar, 10, 50}});
        const int nkl = shop.Sale(ids.main, {{ids.sugar, 1, 50, 80}});
        const int order = shop.Doc(QStringLiteral("invoice"), ids.main, ids.buyer);
        const int vnk = shop.Transfer(ids.main, ids.second, {{ids.sugar, 1, 50}});
        QVERIFY(prh && nkl && order && vnk);
        const auto lineId = [&](int kind, int doc) {
            return shop
                .Row("SELECT MIN(id) FROM doc_items WHERE account_id = ? AND kind = ? AND id_z = ?",
                     {ids.account, kind, doc})
                .value(0)
                .toInt();
        };
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        const Fields goods = {{"name_win", "Крупа"}, {"prim_win", ""},  {"code_win", ""}, {"barcode_win", ""},
                              {"pack", "1"},         {"pcen", "10.00"}, {"nds", "0"},     {"gg_code", "1"}};
        const Fields money = {{"dat", today},
                              {"sum_m", "100.00"},
                              {"klient_i", num(ids.buyer)},
                              {"klient_p", num(ids.cash)},
                              {"prim_win", ""}};
        const Fields row = {{"id", num(prh)},
                            {"list[0][find_id]", num(ids.salt)},
                            {"list[0][name_win]", "Соль"},
                            {"list[0][code_win]", ""},
                            {"list[0][barcode_win]", ""},
                            {"list[0][pcen]", "30.00"},
                            {"list[0][zcen]", "10.00"},
                            {"list[0][kol]", "1"}};
        struct Write {
            QString endpoint;
            Fields fields;
            QStringList amounts;
        };
        const QList<Write> writes = {
            {"/insert-prh-items.php",
             {{"id_z", num(prh)}, {"id_goods", num(ids.salt)}, {"kol", "1"}, {"zcen", "10"}},
             {"kol", "zcen"}},
            {"/insert-nkl-items.php", saleLine(nkl, ids.sugar, 1), {"kol", "zcen", "rcen"}},
            {"/insert-invoice-items.php", saleLine(order, ids.sugar, 1), {"kol", "zcen", "rcen"}},
            {"/insert-vnk-items.php",
             {{"id_z", num(vnk)}, {"id_goods", num(ids.sugar)}, {"kol", "1"}, {"zcen", "50"}},
             {"kol", "zcen"}},
            {"/update-nkl-items.php", lineUpdate(lineId(2, nkl), 2), {"kol", "rcen"}},
            {"/update-vnk-items.php", lineUpdate(lineId(4, vnk), 2), {"kol", "rcen"}},
            {"/update-prh-items.php",
             receiptLineUpdate(lineId(1, prh), ids.sugar, 11, 50, 10, 50, 0),
             {"kol", "zcen", "old_kol", "old_zcen"}},
            {"/insert-prh-excel-win.php", row, {"list[0][kol]", "list[0][zcen]", "list[0][pcen]"}},
            {"/insert-good.php", goods, {"pack", "pcen", "nds"}},
            {"/insert-money.php", money, {"sum_m"}},
        };
        const QStringList quantities = {"kol", "old_kol", "list[0][kol]", "pack", "nds"};
        const QString thirtyNines(30, QLatin1Char('9'));
        const auto counts = [&] {
            return QList<int>{shop.Count("doc_items"), shop.Count("goods"), shop.Count("money"),
                              shop.Row("SELECT SUM(kol) FROM doc_items WHERE account_id = ?", {ids.account})
                                  .value(0)
                                  .toInt()};
        };
        const QList<int> before = counts();
        for (const Write& w : writes) {
            for (const QString& amount : w.amounts) {
                // A sum may be negative, so its range is tried from below.
                const QString value =
                    (amount == QLatin1String("sum_m") ? QStringLiteral("-") : QString()) + thirtyNines;
                Fields fields = w.fields;
                for (auto& f : fields)
                    if (f.first == amount) f.second = value;
                const ServerReply r = ShopFixture::Call(w.endpoint, fields);
                const QString reason =
                    QStringLiteral("Поле %1: значение должно быть по модулю меньше %2")
                        .arg(amount, quantities.contains(amount) ? QStringLiteral("1 000 000 000")
                                                                 : QStringLiteral("1 000 000 000 000"));
                QVERIFY2(r.status == 400, qPrintable(w.endpoint + QLatin1Char(' ') + amount));
                QCOMPARE(r.text, (amount.startsWith(QLatin1String("list")) ? QStringLiteral("Строка 1: ")
                                                                           : QString()) +
                                     reason);
            }
        }
        QCOMPARE(counts(), before);

        // Just below the range is taken; an order line moves no stock.
        QVERIFY(ShopFixture::AddLine(QStringLiteral("invoice"), order, {ids.tea, 999999999.999, 0, 1}));
        QCOMPARE(ShopFixture::Call("/insert-invoice-items.php", saleLine(order, ids.tea, 1e9)).status, 400);
        Fields largest = money;
        largest[1].second = QStringLiteral("-999999999999.99");
        QCOMPARE(ShopFixture::Call("/insert-money.php", largest).status, 200);
        // A lot's total, the sum of many lines, stays in range as well.
        const int big = shop.Doc(QStringLiteral("prh"), ids.third, ids.supplier);
        QVERIFY(ShopFixture::AddLine(QStringLiteral("prh"), big, {ids.salt, 600000000, 10}));
        const ServerReply over = ShopFixture::Call(
            "/insert-prh-items.php",
            {{"id_z", num(big)}, {"id_goods", num(ids.salt)}, {"kol", "400000000"}, {"zcen", "10"}});
        QCOMPARE(over.status, 409);
        QCOMPARE(over.text,
                 QStringLiteral("Слишком большое количество товара «Соль» на складе «Дальний склад»: по "
                                "одной цене оно должно быть меньше 1 000 000 000"));
        QCOMPARE(shop.Stock(ids.third, ids.salt), 600000000.0);
    }

    // A line's sum (quantity × price, to the kopeck) stays below 1 000 000 000 000, the most a
    // paper's sum column shows, whichever price the line carries; nothing is written otherwise.
    void lineSumsStayWithinWhatPapersShow() {
        const int order = shop.Doc(QStringLiteral("invoice"), ids.main, ids.buyer);
        const int prh = shop.Doc(QStringLiteral("prh"), ids.third, ids.supplier);
        QVERIFY(order && prh);
        const int lines = shop.Count("doc_items");
        ServerReply r = ShopFixture::Call("/insert-invoice-items.php", {{"id_z", num(order)},
                                                                        {"id_goods", num(ids.tea)},
                                                                        {"kol", "999999999"},
                                                                        {"zcen", "0"},
                                                                        {"rcen", "1000.01"}});
        QCOMPARE(r.status, 400);
        QCOMPARE(r.text,
                 QStringLiteral("Поля kol и rcen: сумма строки должна быть меньше 1 000 000 000 000"));
        r = ShopFixture::Call(
            "/insert-prh-items.php",
            {{"id_z", num(prh)}, {"id_goods", num(ids.salt)}, {"kol", "2000000"}, {"zcen", "500000"}});
        QCOMPARE(r.text,
                 QStringLiteral("Поля kol и zcen: сумма строки должна быть меньше 1 000 000 000 000"));
        QCOMPARE(shop.Count("doc_items"), lines);
        QVERIFY(ShopFixture::AddLine(QStringLiteral("invoice"), order, {ids.tea, 999999999, 0, 1000}));
    }

    // Prices and sums are read from their decimal text to the kopeck, halves up: 2.675 is not
    // the double just below it.
    void pricesAndSumsAreReadToTheKopeckHalfUp() {
        const int order = shop.Doc(QStringLiteral("invoice"), ids.main, ids.buyer);
        QCOMPARE(ShopFixture::Call("/insert-invoice-items.php", {{"id_z", num(order)},
                                                                 {"id_goods", num(ids.tea)},
                                                                 {"kol", "1"},
                                                                 {"zcen", "0.015"},
                                                                 {"rcen", "2.675"}})
                     .status,
                 200);
        const QVariantList line =
            shop.Row("SELECT zcen, rcen FROM doc_items WHERE account_id = ? AND kind = 3 AND id_z = ?",
                     {ids.account, order});
        QCOMPARE(line.value(0).toDouble(), 0.02);
        QCOMPARE(line.value(1).toDouble(), 2.68);
        QCOMPARE(ShopFixture::Call("/insert-money.php", {{"dat", QDate::currentDate().toString(Qt::ISODate)},
                                                         {"sum_m", "100.005"},
                                                         {"klient_i", num(ids.buyer)},
                                                         {"klient_p", num(ids.cash)},
                                                         {"prim_win", "полкопейки"}})
                     .status,
                 200);
        QCOMPARE(
            shop.Row("SELECT sum_m FROM money WHERE account_id = ? AND prim = ?", {ids.account, "полкопейки"})
                .value(0)
                .toDouble(),
            100.01);
    }

    // Lines inserted, changed and deleted at random, fractional quantities among them, in every
    // kind that moves stock: every lot always equals the sum of its lines to the millionth, and
    // no store's balance of a goods item is below zero.
    void stockEqualsItsLinesAfterRandomChanges() {
        QRandomGenerator random(20240611);
        const int receipts[] = {shop.Doc(QStringLiteral("prh"), ids.main, ids.supplier),
                                shop.Doc(QStringLiteral("prh"), ids.second, ids.supplier)};
        const int sales[] = {shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer),
                             shop.Doc(QStringLiteral("nkl"), ids.second, ids.buyer)};
        const int transfer = shop.Doc(QStringLiteral("vnk"), ids.main, ids.second);
        const int goods[] = {ids.sugar, ids.salt};
        const double prices[] = {10, 10.1, 10.2};
        struct Stored {
            QString stem;
            int id;
            double kol, zcen;
            int goods;
        };
        QList<Stored> lines;
        const auto quantity = [&] { return random.bounded(1, 30000) / 1000.0; }; // 0.001 to 29.999
        int refused = 0;
        for (int step = 0; step < 240; ++step) {
            const int what = random.bounded(10);
            if (what < 6 || lines.isEmpty()) {
                const int side = random.bounded(2);
                const QString stem = what < 3   ? QStringLiteral("prh")
                                     : what < 5 ? QStringLiteral("nkl")
                                                : QStringLiteral("vnk");
                const int doc = stem == QLatin1String("prh")   ? receipts[side]
                                : stem == QLatin1String("nkl") ? sales[side]
                                                               : transfer;
                const Stored l{stem, 0, quantity(), prices[random.bounded(3)], goods[random.bounded(2)]};
                const ServerReply r = ShopFixture::Call(QStringLiteral("/insert-%1-items.php").arg(stem),
                                                        {{"id_z", num(doc)},
                                                         {"id_goods", num(l.goods)},
                                                         {"kol", QString::number(l.kol, 'f', 3)},
                                                         {"zcen", QString::number(l.zcen, 'f', 2)},
                                                         {"rcen", "99.00"}});
                if (r.status == 200)
                    lines.append({l.stem, r.text.toInt(), l.kol, l.zcen, l.goods});
                else
                    refused += r.status == 409;
                QVERIFY2(r.status == 200 || r.status == 409, qPrintable(r.text));
                continue;
            }
            const qsizetype at = random.bounded(lines.size());
            Stored& l = lines[at];
            ServerReply r;
            if (what < 8) {
                const double kol = quantity();
                r = l.stem == QLatin1String("prh")
                        ? ShopFixture::Call("/update-prh-items.php",
                                            receiptLineUpdate(l.id, l.goods, kol, l.zcen, l.kol, l.zcen, 0))
                        : ShopFixture::Call(
                              QStringLiteral("/update-%1-items.php").arg(l.stem),
                              {{"id", num(l.id)}, {"kol", QString::number(kol, 'f', 3)}, {"rcen", "99"}});
                if (r.status == 200) l.kol = kol;
            } else {
                r = ShopFixture::Call(QStringLiteral("/delete-%1-items-one.php").arg(l.stem),
                                      {{"id", num(l.id)}});
                if (r.status == 200) lines.removeAt(at);
            }
            refused += r.status == 409;
            QVERIFY2(r.status == 200 || r.status == 409, qPrintable(r.text));
        }
        QVERIFY(refused > 0); // the stock rule was put to the test
        const QStringList mismatches = shop.StockMismatches();
        QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(QLatin1Char('\n'))));
        QCOMPARE(
            shop.Row("SELECT COUNT(*) FROM (SELECT id_store, id_goods FROM stock WHERE account_id = ? "
                     "GROUP BY id_store, id_goods "
                     "HAVING ROUND(SUM(kol_plus + kol_plus_v - kol_minus - kol_minus_v) * 1000000) < 0) x",
                     {ids.account})
                .value(0)
                .toInt(),
            0);
    }

    // A transfer guards both stores: the sender when goods leave, the receiver when goods it
    // has passed on would be taken back.
    void transfersGuardBothStores() {
        QVERIFY(shop.Receipt(ids.main, {{ids.tea, 10, 100}}));
        QVERIFY(!shop.Transfer(ids.main, ids.second, {{ids.tea, 11, 100}}));
        const int vnk = shop.Transfer(ids.main, ids.second, {{ids.tea, 10, 100}});
        QVERIFY(vnk);
        QVERIFY(shop.Sale(ids.second, {{ids.tea, 8, 100, 150}}));
        RecordList<TRecDocItem> lines;
        TFormLoad().SelectVnkItemsList(lines, vnk, ids.main, ids.second);
        QCOMPARE(lines[0]->GetOstI(), 0.0);
        QCOMPARE(lines[0]->GetOstP(), 2.0);
        QCOMPARE(ShopFixture::Call("/delete-vnk-items-one.php", {{"id", num(lines[0]->ID)}}).status, 409);
        QCOMPARE(ShopFixture::Call("/delete-vnk.php", {{"id", num(vnk)}}).status, 409);
        QCOMPARE(ShopFixture::Call("/update-vnk-items.php", lineUpdate(lines[0]->ID, 7.999)).status, 409);
        QCOMPARE(ShopFixture::Call("/update-vnk-items.php", lineUpdate(lines[0]->ID, 8)).status, 200);
        QCOMPARE(shop.Stock(ids.main, ids.tea), 2.0);
        QCOMPARE(shop.Stock(ids.second, ids.tea), 0.0);
        // Orders take any quantity and move nothing.
        const int order = shop.Doc(QStringLiteral("invoice"), ids.second, ids.buyer);
        QVERIFY(ShopFixture::AddLine(QStringLiteral("invoice"), order, {ids.tea, 1000, 100, 150}));
        QCOMPARE(shop.Stock(ids.second, ids.tea), 0.0);
    }

    // Many clients sell the last units at once, through one server and through two servers on
    // the same database: exactly the stock there is gets sold.
    void concurrentSalesOfTheLastUnits() {
        QVERIFY(shop.Receipt(ids.main, {{ids.sugar, 10, 50}}));
        ServerProcess second(shop.Database());
        QVERIFY2(second.Start(), qPrintable(second.Error()));
        const QStringList servers = {shop.Server().BaseUrl(), second.BaseUrl()};
        constexpr int kClients = 24;
        QList<int> docs, lines;
        for (int i = 0; i < kClients; ++i) {
            docs.append(shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer));
            lines.append(
                i % 2 ? ShopFixture::AddLine(QStringLiteral("nkl"), docs.last(), {ids.sugar, 0, 50, 80}) : 0);
        }
        std::atomic<int> sold{0}, refused{0}, other{0};
        std::latch start(kClients);
        std::vector<std::thread> clients;
        for (int i = 0; i < kClients; ++i) {
            clients.emplace_back([&, i] {
                // Half insert a line of one unit, half raise a stored line from 0 to one unit.
                const Fields fields = lines[i] ? lineUpdate(lines[i], 1) : saleLine(docs[i], ids.sugar, 1);
                const QString endpoint = lines[i] ? "/update-nkl-items.php" : "/insert-nkl-items.php";
                start.arrive_and_wait();
                const ServerReply r = ShopFixture::CallAt(servers[i % 2], endpoint, fields);
                (r.status == 200 ? sold : r.status == 409 ? refused : other)++;
            });
        }
        for (std::thread& t : clients)
            t.join();
        QCOMPARE(other.load(), 0);
        QCOMPARE(sold.load(), 10);
        QCOMPARE(refused.load(), kClients - 10);
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 0.0);
        QCOMPARE(shop.Row("SELECT SUM(kol) FROM doc_items WHERE account_id = ? AND kind = 2", {ids.account})
                     .value(0)
                     .toDouble(),
                 10.0);
    }

    // A kit becomes its own line and one line per component sharing its row; its quantity
    // scales the components, its deletion removes them, and its stock is what its components
    // make. Orders keep kits the same way without moving stock.
    void kitsInWaybillsAndOrders() {
        QVERIFY(shop.Receipt(ids.main, {{ids.sugar, 9, 50}, {ids.tea, 5, 100}}));
        const int nkl = shop.Doc(QStringLiteral("nkl"), ids.main, ids.buyer);
        const int kit = ShopFixture::AddLine(QStringLiteral("nkl"), nkl, {ids.gift, 0, 0, 500});
        QVERIFY(kit);
        RecordList<TRecDocItem> lines = linesOf(nkl, ids.main);
        QCOMPARE(lines.size(), size_t(3));
        QCOMPARE(lines[0]->ID, kit);
        QCOMPARE(lines[0]->FlagNorm, 1);
        QCOMPARE(lines[0]->IdRow, kit);
        QCOMPARE(lines[0]->CenR, 500.0);
        QCOMPARE(lines[0]->CenZ, 2 * 50.0 + 100.0);
        QCOMPARE(lines[0]->GetOstI(), 4.5); // 9 sugar / 2, 5 tea / 1
        for (int i : {1, 2}) {
            QVERIFY(lines[i]->IsItems());
            QCOMPARE(lines[i]->IdRow, kit);
            QCOMPARE(lines[i]->Kol, 0.0);
            QCOMPARE(lines[i]->CenR, 0.0);
        }
        QCOMPARE(lines[1]->IDGood, ids.sugar);
        QCOMPARE(lines[1]->CenZ, 50.0);
        QCOMPARE(lines[2]->IDGood, ids.tea);

        // The goods picker lists the kit with what its components make.
        RecordList<TRecGood> picker;
        TFormLoad().SelectOstList(picker, QStringLiteral("подарочный"), 0, ids.main);
        QCOMPARE(picker.size(), size_t(1));
        QCOMPARE(picker[0]->ID, ids.gift);
        QCOMPARE(picker[0]->GetOst(), 4.5);
        QCOMPARE(picker[0]->ZCen, 2 * 50.0 + 100.0); // the components' last purchase prices

        // The line editor's rule on the kit line: stock + stored quantity.
        auto one = lineOf(QStringLiteral("nkl"), kit, ids.main);
        QCOMPARE(one->GetOstI(), 4.5);
        QCOMPARE(ShopFixture::Call("/update-nkl-items.php", lineUpdate(kit, 3, 500)).status, 200);
        lines = linesOf(nkl, ids.main);
        QCOMPARE(lines[1]->Kol, 6.0);
        QCOMPARE(lines[2]->Kol, 3.0);
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 3.0);
        QCOMPARE(shop.Stock(ids.main, ids.tea), 2.0);
        QCOMPARE(lines[0]->GetOstI(), 1.5);
        QCOMPARE(ShopFixture::Call("/update-nkl-items.php", lineUpdate(kit, 4.6, 500)).status, 409);
        QCOMPARE(ShopFixture::Call("/update-nkl-items.php", lineUpdate(kit, 4.5, 500)).status, 200);

        RecordList<TRecDoc> journal;
        TFormLoad().SelectNklList(journal, QString(), kovrel::ToDateTime(QDate::currentDate()),
                                  kovrel::ToDateTime(QDate::currentDate()));
        QCOMPARE(journal[0]->SumR, 4.5 * 500);
        QCOMPARE(journal[0]->SumZ, 4.5 * 200);

        // Components change only with their kit.
        const ServerReply part = ShopFixture::Call("/update-nkl-items.php", lineUpdate(lines[1]->ID, 1));
        QCOMPARE(part.status, 409);
        QCOMPARE(part.text,
                 QStringLiteral("Строка входит в комплект: измените или удалите комплект целиком"));
        QCOMPARE(ShopFixture::Call("/delete-nkl-items-one.php", {{"id", num(lines[2]->ID)}}).status, 409);
        QCOMPARE(ShopFixture::Call("/delete-nkl-items-one.php", {{"id", num(kit)}}).status, 200);
        QVERIFY(linesOf(nkl, ids.main).empty());
        QCOMPARE(shop.Stock(ids.main, ids.sugar), 9.0);
        QCOMPARE(shop.Stock(ids.main, ids.tea), 5.0);

        // More kits than the components make: refused.
        QCOMPARE(ShopFixture::Call("/insert-nkl-items.php", saleLine(nkl, ids.gift, 5)).status, 409);
        QVERIFY(linesOf(nkl, ids.main).empty());

        const int order = shop.Doc(QStringLiteral("invoice"), ids.second, ids.buyer);
        const int orderKit = ShopFixture::AddLine(QStringLiteral("invoice"), order, {ids.gift, 7, 0, 450});
        QVERIFY(orderKit);
        RecordList<TRecDocItem> ordered;
        TFormLoad().SelectInvoiceItemsList(ordered, order, ids.second);
        QCOMPARE(ordered.size(), size_t(3));
        QCOMPARE(ordered[1]->Kol, 14.0);
        QCOMPARE(ordered[0]->GetOstI(), 0.0);
        QCOMPARE(shop.Stock(ids.second, ids.sugar), 0.0);
        QCOMPARE(ShopFixture::Call("/delete-invoice.php", {{"id", num(order)}}).status, 200);
        QCOMPARE(shop.Count(QStringLiteral("doc_items")), 2);
    }

    // A purchase price correction with "compare" 1 follows the goods that receipt alone priced
    // into sales, kits and transfers, and through a transfer into the receiving store; with 0,
    // or where another receipt priced the same stock, only the receipt line changes.
    void purchasePriceCorrection() {
        const int prh = shop.Receipt(ids.main, {{ids.sugar, 10, 50}});
        RecordList<TRecDocItem> received;
        TFormLoad().SelectPrhItemsList(received, prh, ids.main);
        const int nkl = shop.Sale(ids.main, {{ids.sugar, 2, 50, 80}, {ids.gift, 1, 0, 500}});
        QVERIFY(!nkl); // no tea for the kit yet
        QVERIFY(shop.Receipt(ids.main, {{ids.tea, 3, 100}}));
        const int sale = shop.Sale(ids.main, {{ids.sugar, 2, 50, 80}, {ids.gift, 1, 0, 500}});
        QVERIFY(sale);
        const int vnk = shop.Transfer(ids.main, ids.second, {{ids.sugar, 3, 50, 80}});
        const int far = shop.Sale(ids.second, {{ids.sugar, 1, 50, 80}});
        QVERIFY(vnk && far);

        // A stale view of the line is refused.
        QCOMPARE(ShopFixture::Call("/update-prh-items.php",
                                   receiptLineUpdate(received[0]->ID, ids.sugar, 10, 55, 9, 50, 1))
                     .status,
                 409);
        TRecDocItem changed = *received[0];
        changed.CenZ = 55;
        QVERIFY(TFormLoad().UpdatePrhItem(changed, 10, 50, 1));

        RecordList<TRecDocItem> lines = linesOf(sale, ids.main);
        for (const auto& l : lines)
            if (l->FlagNorm == 0) QCOMPARE(l->CenZ, l->IDGood == ids.sugar ? 55.0 : 100.0);
        QCOMPARE(lines[1]->FlagNorm, 1);
        QCOMPARE(lines[1]->CenZ, 2 * 55.0 + 100.0);
        QCOMPARE(linesOf(far, ids.second)[0]->CenZ, 55.0);
        RecordList<TRecDocItem> moved;
        TFormLoad().SelectVnkItemsList(moved, vnk, ids.main, ids.second);
        QCOMPARE(moved[0]->CenZ, 55.0);
        RecordList<TRecDoc> journal;
        TFormLoad().SelectNklList(journal, QString(), kovrel::ToDateTime(QDate::currentDate()),
                                  kovrel::ToDateTime(QDate::currentDate()));
        for (const auto& d : journal)
            if (d->ID == sale) QCOMPARE(d->SumZ, 2 * 55.0 + 2 * 55.0 + 100.0);
        // Nothing of the goods is left at the old price, and the item's last price is the new one.
        QCOMPARE(shop.Row("SELECT COUNT(*) FROM stock WHERE account_id = ? AND id_goods = ? AND zcen = 50 "
                          "AND kol_plus + kol_plus_v - kol_minus - kol_minus_v <> 0",
                          {ids.account, ids.sugar})
                     .value(0)
                     .toInt(),
                 0);
        QCOMPARE(shop.Row("SELECT zcen FROM goods WHERE account_id = ? AND id = ?", {ids.account, ids.sugar})
                     .value(0)
                     .toDouble(),
                 55.0);

        // Without "compare" only the receipt line's own stock changes price.
        changed.CenZ = 57;
        QVERIFY(TFormLoad().UpdatePrhItem(changed, 10, 55, 0));
        QCOMPARE(linesOf(far, ids.second)[0]->CenZ, 55.0);

        // Stock that two receipts priced alike: the sales keep their price.
        const int other = shop.Receipt(ids.third, {{ids.salt, 4, 10}, {ids.salt, 6, 10}});
        const int saltSale = shop.Sale(ids.third, {{ids.salt, 5, 10, 30}});
        TFormLoad().SelectPrhItemsList(received, other, ids.third);
        changed = *received[0];
        changed.CenZ = 11;
        QVERIFY(TFormLoad().UpdatePrhItem(changed, 4, 10, 1));
        QCOMPARE(linesOf(saltSale, ids.third)[0]->CenZ, 10.0);
        QCOMPARE(shop.Stock(ids.third, ids.salt), 5.0);
    }

    // Spreadsheet rows become receipt lines in one request; rows that matched no goods item
    // create one. A bad row refuses the whole request.
    void receiptImport() {
        const int prh = shop.Doc(QStringLiteral("prh"), ids.main, ids.supplier);
        RecordList<TRecGood> rows;
        const auto row = [&](int goods, const QString& name, const QString& code, const QString& barcode,
                             double kol, double zcen) {
            auto g = std::make_unique<TRecGood>();
            g->IDGoods = goods;
            g->Name = name;
            g->Code = code;
            g->BarCode = barcode;
            g->OstKol = kol;
            g->ZCen = zcen;
            g->PCen = 0;
            rows.push_back(std::move(g));
        };
        row(ids.sugar, QStringLiteral("Сахар"), QStringLiteral("S-1"), QString(), 2.5, 52);
        row(0, QStringLiteral("Мука «Ржаная»"), QStringLiteral("M-7"), QStringLiteral("4600777"), 40, 31.5);
        row(0, QStringLiteral(""), QString(), QString(), 1, 1);
        const int goodsBefore = shop.Count(QStringLiteral("goods"));
        QVERIFY(!TFormLoad().InsertPrhItemExcel(rows, prh));
        const ServerReply bad = ShopFixture::Call("/insert-prh-excel-win.php", {{"id", num(prh)},
                                                                                {"list[0][find_id]", "0"},
                                                                                {"list[0][name_win]", "Мука"},
                                                                                {"list[0][pcen]", "0.00"},
                                                                                {"list[0][zcen]", "1.00"},
                                                                                {"list[0][code_win]", ""},
                                                                                {"list[0][barcode_win]", ""},
                                                                                {"list[0][kol]", "-3"}});
        QCOMPARE(bad.status, 400);
        QCOMPARE(bad.text, QStringLiteral("Строка 1: Количество не может быть отрицательным"));
        QCOMPARE(shop.Count(QStringLiteral("goods")), goodsBefore);
        QCOMPARE(lineCount(), 0);

        rows.pop_back();
        QVERIFY(TFormLoad().InsertPrhItemExcel(rows, prh));
        QCOMPARE(shop.Count(QStringLiteral("goods")), goodsBefore + 1);
        RecordList<TRecDocItem> lines;
        TFormLoad().SelectPrhItemsList(lines, prh, ids.main);
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(lines[0]->IDGood, ids.sugar);
        QCOMPARE(lines[0]->Kol, 2.5);
        QCOMPARE(lines[1]->Name, QStringLiteral("Мука «Ржаная»"));
        QCOMPARE(lines[1]->Kol, 40.0);
        QCOMPARE(lines[1]->CenZ, 31.5);
        QCOMPARE(lines[1]->GetOstI(), 40.0);
        const QVariantList made =
            shop.Row("SELECT code, barcode, zcen, upname FROM goods WHERE account_id = ? AND id = ?",
                     {ids.account, lines[1]->IDGood});
        QCOMPARE(made.value(0).toString(), QStringLiteral("M-7"));
        QCOMPARE(made.value(1).toString(), QStringLiteral("4600777"));
        QCOMPARE(made.value(2).toDouble(), 31.5);
        QCOMPARE(made.value(3).toString(), QStringLiteral("МУКА «РЖАНАЯ»"));
    }

    // A server killed while it writes a large import leaves the receipt with all of it or none
    // of it, never a part, and stock that agrees with the lines. The kill comes half-way
    // through the time the same import took unkilled.
    void killedMidWriteLeavesNoPart() {
        constexpr int kRows = 1500;
        const auto importBody = [&](int prh, const QByteArray& boundary) {
            Fields fields = {{"id", num(prh)}};
            for (int i = 0; i < kRows; ++i) {
                const QString p = QStringLiteral("list[%1][").arg(i);
                fields += Fields{{p + "find_id]", "0"},  {p + "name_win]", QStringLiteral("Товар %1").arg(i)},
                                 {p + "pcen]", "10.00"}, {p + "zcen]", "5.00"},
                                 {p + "code_win]", ""},  {p + "barcode_win]", ""},
                                 {p + "kol]", "1"}};
            }
            return WithFields(TFormLoad::NewForm(), fields).Encode(boundary);
        };
        const QByteArray boundary = kovrel::wire::MultipartForm::MakeBoundary(QDateTime::currentDateTime());
        const QByteArray type = kovrel::wire::MultipartForm::ContentType(boundary);
        const QString url = shop.Server().BaseUrl() + QStringLiteral("/insert-prh-excel-win.php");
        const int whole = shop.Doc(QStringLiteral("prh"), ids.main, ids.supplier);
        const int killed = shop.Doc(QStringLiteral("prh"), ids.main, ids.supplier);
        const QByteArray first = importBody(whole, boundary), second = importBody(killed, boundary);

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(kovrel::HttpTransport().Post(url, type, first).status, 200);
        const qint64 took = timer.elapsed();
        std::thread writer([&] { kovrel::HttpTransport().Post(url, type, second); });
        QThread::msleep(static_cast<unsigned long>(took / 2));
        shop.Server().Stop(SIGKILL);
        writer.join();
        QVERIFY2(shop.Server().Start(), qPrintable(shop.Server().Error()));
        BaseURL = shop.Server().BaseUrl();

        const auto linesOfReceipt = [&](int prh) {
            return shop
                .Row("SELECT COUNT(*) FROM doc_items WHERE account_id = ? AND id_z = ?", {ids.account, prh})
                .value(0)
                .toInt();
        };
        QCOMPARE(linesOfReceipt(whole), kRows);
        const int lines = linesOfReceipt(killed);
        QVERIFY2(lines == 0 || lines == kRows, qPrintable(QString::number(lines)));
        QCOMPARE(shop.Count(QStringLiteral("goods")) - 4, kRows + lines);
    }

    // The demo's months of trade keep the stock rule and give every journal something.
    void demoTradeOverTheCatalog() {
        shop.Seed().Goods(ids.account, QStringLiteral("Мука"), 60, 1, {}, {}, 10);
        shop.Seed().Goods(ids.account, QStringLiteral("Рис"), 90, 1, {}, {}, 22);
        {
            kovrel::server::Transaction tx(shop.Seed().Db(), kovrel::server::Transaction::Mode::Write);
            kovrel::server::SeedDemoDocuments(shop.Seed().Db(), ids.account, QDate(2024, 6, 20));
            shop.Seed().touch(ids.account);
            tx.Commit();
        }
        for (const char* kind : {"1", "2", "3", "4"})
            QVERIFY2(shop.Row(QStringLiteral("SELECT COUNT(*) FROM docs WHERE account_id = ? AND kind = %1")
                                  .arg(kind),
                              {ids.account})
                             .value(0)
                             .toInt() > 3,
                     kind);
        QVERIFY(shop.Count(QStringLiteral("money")) > 20);
        QCOMPARE(shop.Row("SELECT COUNT(*) FROM (SELECT id_store, id_goods FROM stock WHERE account_id = ? "
                          "GROUP BY id_store, id_goods "
                          "HAVING SUM(kol_plus + kol_plus_v - kol_minus - kol_minus_v) < -0.000001) x",
                          {ids.account})
                     .value(0)
                     .toInt(),
                 0);
        RecordList<TRecDoc> sales;
        TFormLoad().SelectNklList(sales, QString(), kovrel::ToDateTime(QDate(2024, 3, 1)),
                                  kovrel::ToDateTime(QDate(2024, 6, 20)));
        QVERIFY(sales.size() > 20);
        int paid = 0;
        for (const auto& d : sales)
            paid += d->MoneySum > 0;
        QVERIFY(paid > 10);
        // Nothing is dated after the demo's last day, and transfers are worth their goods.
        QCOMPARE(shop.Row("SELECT COUNT(*) FROM money WHERE account_id = ? AND docdate > ?",
                          {ids.account, QStringLiteral("2024-06-20")})
                     .value(0)
                     .toInt(),
                 0);
        QCOMPARE(shop.Row("SELECT COUNT(*) FROM docs WHERE account_id = ? AND kind = 4 AND rsum <= 0",
                          {ids.account})
                     .value(0)
                     .toInt(),
                 0);
        // Each line carries its goods item's VAT rate, as the service's own writes give it.
        const QString lines =
            QStringLiteral("SELECT COUNT(*) FROM doc_items i JOIN goods g ON g.account_id = "
                           "i.account_id AND g.id = i.id_goods WHERE i.account_id = ? AND %1");
        QCOMPARE(shop.Row(lines.arg(QStringLiteral("i.nds <> g.nds")), {ids.account}).value(0).toInt(), 0);
        QVERIFY(shop.Row(lines.arg(QStringLiteral("i.nds = 22")), {ids.account}).value(0).toInt() > 0);
    }
};

QTEST_GUILESS_MAIN(TestServerStock)
#include "test_server_stock.moc"
